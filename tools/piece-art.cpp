// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// kd-piece-art: writes the scalable sources of the bitmap piece sets and of
// the eraser cursor as SVG files, which the client compiles in and renders at
// whatever size and pixel density a board needs.
//
//   kd-piece-art RESDIR        (writes RESDIR/pieces/... and RESDIR/cursors/...)
//
// The flat sets take their shapes from the chess glyphs of two free fonts
// that Debian ships (FreeSerif and DejaVu Sans) and differ in colours and
// outlines; the three 3D sets are turned pieces built from discs, stems and
// balls, each part shaded like a lit cylinder and drawn from the top of the
// piece down so that the lower, nearer parts cover the ones behind them.
// Output is plain text with fixed precision, so that the same fonts give
// byte-identical files and a check can tell when the committed art is stale.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainterPath>
#include <QPolygonF>
#include <QRawFont>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const kFreeSerif = "/usr/share/fonts/truetype/freefont/FreeSerif.ttf";
const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// Piece kinds in the order of the white glyphs U+2654.. (king first).
const char kKinds[6] = {'k', 'q', 'r', 'b', 'n', 'p'};

QString Num(double v) {
    QString s = QString::number(v, 'f', 2);
    if (s == QLatin1String("-0.00")) s = QStringLiteral("0.00");
    return s;
}

QString PathData(const QPainterPath& path) {
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0) d += QLatin1String("Z");
            d += QLatin1String("M") + Num(e.x) + ' ' + Num(e.y);
        } else if (e.isLineTo()) {
            d += QLatin1String("L") + Num(e.x) + ' ' + Num(e.y);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element to = path.elementAt(i + 2);
            d += QLatin1String("C") + Num(e.x) + ' ' + Num(e.y) + ' ' + Num(c2.x) + ' ' +
                 Num(c2.y) + ' ' + Num(to.x) + ' ' + Num(to.y);
            i += 2;
        }
    }
    if (!d.isEmpty()) d += QLatin1String("Z");
    return d;
}

// One SVG document of a given pixel size, built from filled and stroked paths.
class Svg {
  public:
    Svg(double w, double h) : m_w(w), m_h(h) {}
    void Fill(const QPainterPath& p, const QString& paint, double opacity = 1.0) {
        m_body +=
            QStringLiteral("<path d=\"%1\" fill=\"%2\"%3%4/>\n")
                .arg(PathData(p), paint, Rule(p), Opacity(QStringLiteral("fill-opacity"), opacity));
    }
    void FillStroke(const QPainterPath& p, const QString& paint, const QString& stroke,
                    double width, double opacity = 1.0) {
        m_body += QStringLiteral(
                      "<path d=\"%1\" fill=\"%2\"%3 stroke=\"%4\" stroke-width=\"%5\" "
                      "stroke-linejoin=\"round\"%6/>\n")
                      .arg(PathData(p), paint, Rule(p), stroke, Num(width),
                           Opacity(QStringLiteral("stroke-opacity"), opacity));
    }
    // A horizontal gradient across the object: the light falls from the
    // upper left, so the brightest band sits left of the middle.
    QString Cylinder(const QStringList& colours) {
        const QString id = QStringLiteral("g%1").arg(m_next++);
        static const double stops[5] = {0.0, 0.22, 0.38, 0.72, 1.0};
        m_defs += QStringLiteral("<linearGradient id=\"%1\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\">")
                      .arg(id);
        for (int i = 0; i < 5; ++i)
            m_defs += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>")
                          .arg(Num(stops[i]), colours[i]);
        m_defs += QLatin1String("</linearGradient>\n");
        return QStringLiteral("url(#%1)").arg(id);
    }
    QString Sphere(const QString& light, const QString& mid, const QString& dark) {
        const QString id = QStringLiteral("g%1").arg(m_next++);
        m_defs +=
            QStringLiteral(
                "<radialGradient id=\"%1\" cx=\"0.5\" cy=\"0.5\" r=\"0.6\" fx=\"0.35\" "
                "fy=\"0.3\"><stop offset=\"0\" stop-color=\"%2\"/><stop offset=\"0.55\" "
                "stop-color=\"%3\"/><stop offset=\"1\" stop-color=\"%4\"/></radialGradient>\n")
                .arg(id, light, mid, dark);
        return QStringLiteral("url(#%1)").arg(id);
    }
    QString Shadow() {
        const QString id = QStringLiteral("g%1").arg(m_next++);
        m_defs +=
            QStringLiteral(
                "<radialGradient id=\"%1\" cx=\"0.5\" cy=\"0.5\" r=\"0.5\"><stop offset=\"0\" "
                "stop-color=\"#000000\" stop-opacity=\"0.55\"/><stop offset=\"0.7\" "
                "stop-color=\"#000000\" stop-opacity=\"0.3\"/><stop offset=\"1\" "
                "stop-color=\"#000000\" stop-opacity=\"0\"/></radialGradient>\n")
                .arg(id);
        return QStringLiteral("url(#%1)").arg(id);
    }
    bool Write(const QString& file) const {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        const QString text =
            QStringLiteral(
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
                "xmlns=\"http://www.w3.org/2000/svg\" "
                "version=\"1.2\" baseProfile=\"tiny\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 "
                "%2\">\n")
                .arg(Num(m_w), Num(m_h)) +
            (m_defs.isEmpty() ? QString()
                              : QLatin1String("<defs>\n") + m_defs + QLatin1String("</defs>\n")) +
            m_body + QLatin1String("</svg>\n");
        return f.write(text.toUtf8()) > 0;
    }

  private:
    static QString Rule(const QPainterPath& p) {
        return p.fillRule() == Qt::OddEvenFill ? QStringLiteral(" fill-rule=\"evenodd\"")
                                               : QString();
    }
    static QString Opacity(const QString& name, double v) {
        return v < 1.0 ? QStringLiteral(" %1=\"%2\"").arg(name, Num(v)) : QString();
    }
    double m_w, m_h;
    int m_next = 0;
    QString m_defs, m_body;
};

// ---- glyph pieces ---------------------------------------------------------

struct Glyphs {
    QPainterPath outline[6];  // the "white" glyph: outline and inner lines
    QPainterPath solid[6];    // the "black" glyph: filled body, details as holes
};

QPainterPath Glyph(const QRawFont& font, char16_t code) {
    const QList<quint32> idx = font.glyphIndexesForString(QString(QChar(code)));
    if (idx.isEmpty()) return {};
    QPainterPath p = font.pathForGlyph(idx.first());
    return p;
}

std::vector<QPainterPath> Subpaths(const QPainterPath& path) {
    std::vector<QPainterPath> out;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            out.emplace_back();
            out.back().moveTo(e.x, e.y);
        } else if (e.isLineTo()) {
            out.back().lineTo(e.x, e.y);
        } else if (e.isCurveTo()) {
            out.back().cubicTo(e.x, e.y, path.elementAt(i + 1).x, path.elementAt(i + 1).y,
                               path.elementAt(i + 2).x, path.elementAt(i + 2).y);
            i += 2;
        }
    }
    return out;
}

double Area(const QPolygonF& poly) {
    double a = 0;
    for (int i = 0; i < poly.size(); ++i) {
        const QPointF& p = poly[i];
        const QPointF& q = poly[(i + 1) % poly.size()];
        a += p.x() * q.y() - q.x() * p.y();
    }
    return std::abs(a) / 2;
}

// The outer contours of a glyph, filled whole: the body of the piece without
// its inner lines, to be painted in the piece's colour under the glyph.
QPainterPath Silhouette(const QPainterPath& glyph) {
    const std::vector<QPainterPath> subs = Subpaths(glyph);
    std::vector<QPolygonF> polys;
    for (const QPainterPath& s : subs) polys.push_back(s.toFillPolygon());
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    for (size_t i = 0; i < subs.size(); ++i) {
        bool inside = false;
        for (size_t j = 0; j < subs.size() && !inside; ++j)
            inside = j != i && Area(polys[j]) > Area(polys[i]) &&
                     polys[j].containsPoint(polys[i].first(), Qt::OddEvenFill);
        if (!inside) out = out.united(subs[i]);
    }
    return out;
}

bool LoadGlyphs(const char* file, Glyphs* g) {
    const QRawFont font(QString::fromLatin1(file), 200);
    if (!font.isValid()) return false;
    QRectF all;
    for (int i = 0; i < 6; ++i) {
        g->outline[i] = Glyph(font, char16_t(0x2654 + i));
        g->solid[i] = Glyph(font, char16_t(0x265A + i));
        if (g->outline[i].isEmpty() || g->solid[i].isEmpty()) return false;
        all |= g->outline[i].boundingRect() | g->solid[i].boundingRect();
    }
    // One scale for the whole set, so that a pawn stays smaller than a king;
    // every piece stands on the same line and is centred on its own width.
    const double scale = std::min(90.0 / all.height(), 92.0 / all.width());
    for (int i = 0; i < 6; ++i) {
        const QRectF box = g->outline[i].boundingRect() | g->solid[i].boundingRect();
        QTransform t;
        t.translate(50 - box.center().x() * scale, 95 - all.bottom() * scale);
        t.scale(scale, scale);
        g->outline[i] = t.map(g->outline[i]);
        g->solid[i] = t.map(g->solid[i]);
    }
    return true;
}

struct FlatStyle {
    const Glyphs* shapes;
    QString body, lines;  // fill of the body, colour of outline and inner lines
    double edge;          // extra stroke around the whole piece, 0 for none
    QString edgeColour;
};

// White's pieces are the outline glyph over a filled silhouette; Black's are
// the solid glyph over a silhouette in the colour of its inner lines, so the
// lines show through the holes of the glyph.
void WriteFlat(const QString& dir, char colour, const FlatStyle& s) {
    for (int i = 0; i < 6; ++i) {
        Svg svg(100, 100);
        const QPainterPath& glyph = colour == 'w' ? s.shapes->outline[i] : s.shapes->solid[i];
        const QPainterPath body =
            Silhouette(colour == 'w' ? s.shapes->outline[i] : s.shapes->solid[i]);
        if (s.edge > 0)
            svg.FillStroke(body, colour == 'w' ? s.body : s.lines, s.edgeColour, s.edge);
        else
            svg.Fill(body, colour == 'w' ? s.body : s.lines);
        svg.Fill(glyph, colour == 'w' ? s.lines : s.body);
        svg.Write(QStringLiteral("%1/%2%3.svg").arg(dir).arg(colour).arg(kKinds[i]));
    }
}

// ---- turned 3D pieces -----------------------------------------------------

struct Tone {
    QString edge, light, shine, mid, line;  // cylinder stops and the outline
};

struct Style3D {
    Tone white, black;
    double stem;  // stem width factor: 1 stout, below 1 slender
    const Glyphs* knight;
    bool grain;  // wooden: darker rings across every part
    bool rings;  // a turned ring round the middle of every stem
};

// Size of each piece's image in "kqrbnp" order: taller than wide, the king
// the largest, all standing on a foot line 4 pixels above the bottom edge.
const double kSize3D[6][2] = {{55, 109}, {50, 98}, {44, 70}, {42, 86}, {46, 78}, {37, 62}};

class Turned {
  public:
    Turned(Svg* svg, const Tone& tone, double w, double h, const Style3D& style)
        : m_svg(svg),
          m_tone(tone),
          m_cx(w / 2),
          m_foot(h - 4),
          m_grain(style.grain),
          m_rings(style.rings) {}
    double Cx() const { return m_cx; }
    double Foot() const { return m_foot; }

    void Shadow(double hw) {
        QPainterPath p;
        p.addEllipse(QPointF(m_cx + 1.5, m_foot), hw + 2, 3.6);
        m_svg->Fill(p, m_svg->Shadow());
    }
    // A disc whose top face is seen from slightly above.
    void Disc(double top, double height, double hw) {
        const double ry = std::max(1.5, hw * 0.22);
        QPainterPath side;
        side.moveTo(m_cx - hw, top);
        side.lineTo(m_cx - hw, top + height);
        side.arcTo(QRectF(m_cx - hw, top + height - ry, 2 * hw, 2 * ry), 180, 180);
        side.lineTo(m_cx + hw, top);
        side.closeSubpath();
        Part(side);
        QPainterPath face;
        face.addEllipse(QPointF(m_cx, top), hw, ry);
        m_svg->FillStroke(face, m_tone.mid, m_tone.line, 0.6, 0.7);
    }
    // A stem narrowing upward with slightly hollow sides.
    void Stem(double bottom, double hwBottom, double top, double hwTop) {
        QPainterPath p;
        const double mid = (bottom + top) / 2;
        const double waist = std::min(hwBottom, hwTop) * 0.92 + std::abs(hwBottom - hwTop) * 0.15;
        p.moveTo(m_cx - hwBottom, bottom);
        p.quadTo(m_cx - waist, mid, m_cx - hwTop, top);
        p.lineTo(m_cx + hwTop, top);
        p.quadTo(m_cx + waist, mid, m_cx + hwBottom, bottom);
        p.closeSubpath();
        Part(p);
        if (m_rings && bottom - top > 20) {
            const double y = bottom - (bottom - top) * 0.42;
            const double hw = waist + (hwTop - waist) * 0.3;
            Collar(y + 3.5, hw + 3, 2.6);
            Collar(y, hw + 4.5, 3);
        }
    }
    void Collar(double y, double hw, double ry) {
        QPainterPath p;
        p.addEllipse(QPointF(m_cx, y), hw, ry);
        Part(p);
    }
    void Ball(double cy, double r) {
        QPainterPath p;
        p.addEllipse(QPointF(m_cx, cy), r, r);
        m_svg->FillStroke(p, m_svg->Sphere(m_tone.shine, m_tone.light, m_tone.edge), m_tone.line,
                          0.7);
    }
    void Part(const QPainterPath& p) {
        m_svg->FillStroke(
            p, m_svg->Cylinder({m_tone.edge, m_tone.light, m_tone.shine, m_tone.mid, m_tone.edge}),
            m_tone.line, 0.7);
        if (!m_grain) return;
        // Growth rings cut across the part: thin bands that follow a slow wave.
        const QRectF box = p.boundingRect();
        QPainterPath rings;
        for (double y = box.top() + 2; y < box.bottom(); y += 3.2) {
            QPainterPath band;
            band.moveTo(box.left(), y);
            band.cubicTo(box.left() + box.width() / 3, y - 1.4, box.left() + box.width() * 2 / 3,
                         y + 1.4, box.right(), y);
            band.lineTo(box.right(), y + 0.7);
            band.cubicTo(box.left() + box.width() * 2 / 3, y + 2.1, box.left() + box.width() / 3,
                         y - 0.7, box.left(), y + 0.7);
            band.closeSubpath();
            rings.addPath(band);
        }
        rings.setFillRule(Qt::WindingFill);
        m_svg->Fill(rings.intersected(p), m_tone.line, 0.18);
    }

  private:
    Svg* m_svg;
    Tone m_tone;
    double m_cx, m_foot;
    bool m_grain, m_rings;
};

void Base(Turned& t, double hw) {
    const double f = t.Foot();
    t.Disc(f - 12, 5, hw * 0.78);
    t.Disc(f - 7, 6.5, hw);
}

void Write3D(const QString& dir, char colour, const Style3D& st) {
    const Tone& tone = colour == 'w' ? st.white : st.black;
    for (int i = 0; i < 6; ++i) {
        const double w = kSize3D[i][0], h = kSize3D[i][1];
        Svg svg(w, h);
        Turned t(&svg, tone, w, h, st);
        const double f = t.Foot(), cx = t.Cx(), s = st.stem;
        t.Shadow(w / 2 - 2);
        switch (kKinds[i]) {
            case 'k': {
                QPainterPath cross;
                cross.addRect(QRectF(cx - 2.6, f - 104, 5.2, 17));
                cross.addRect(QRectF(cx - 7.5, f - 99, 15, 5));
                cross.setFillRule(Qt::WindingFill);
                t.Part(cross.simplified());
                t.Stem(f - 68, 9, f - 86, 16);
                t.Collar(f - 86, 16, 4.2);
                t.Collar(f - 67, 12, 3.2);
                t.Stem(f - 14, 15 * s + 2, f - 66, 7 * s + 1);
                t.Collar(f - 63, 15, 3.8);
                Base(t, 25);
                break;
            }
            case 'q': {
                QPainterPath crown;
                crown.moveTo(cx - 8, f - 62);
                crown.lineTo(cx - 15, f - 80);
                for (int k = 0; k < 4; ++k) {
                    crown.lineTo(cx - 15 + 7.5 * k + 3.75, f - 74);
                    crown.lineTo(cx - 15 + 7.5 * (k + 1), f - 80);
                }
                crown.lineTo(cx + 8, f - 62);
                crown.closeSubpath();
                t.Ball(f - 86, 4.2);
                for (int k = 0; k < 5; ++k) {
                    if (k == 2) continue;
                    QPainterPath b;
                    b.addEllipse(QPointF(cx - 15 + 7.5 * k, f - 81), 2.4, 2.4);
                    t.Part(b);
                }
                t.Part(crown);
                t.Collar(f - 62, 11, 3);
                t.Stem(f - 14, 14 * s + 2, f - 60, 6.5 * s + 1);
                t.Collar(f - 58, 14, 3.6);
                Base(t, 23);
                break;
            }
            case 'r': {
                QPainterPath merlons;
                merlons.addRect(QRectF(cx - 15, f - 63, 30, 16));
                QPainterPath notches;
                notches.addRect(QRectF(cx - 7, f - 64, 4, 7));
                notches.addRect(QRectF(cx + 3, f - 64, 4, 7));
                t.Part(merlons.subtracted(notches));
                t.Collar(f - 47, 15.5, 3.2);
                t.Stem(f - 14, 14 * s + 2, f - 46, 11 * s + 1.5);
                Base(t, 20);
                break;
            }
            case 'b': {
                QPainterPath mitre;
                mitre.moveTo(cx, f - 77);
                mitre.cubicTo(cx + 7, f - 70, cx + 11.5, f - 63, cx + 10, f - 55);
                mitre.cubicTo(cx + 8, f - 49, cx - 8, f - 49, cx - 10, f - 55);
                mitre.cubicTo(cx - 11.5, f - 63, cx - 7, f - 70, cx, f - 77);
                QPainterPath slit;
                slit.moveTo(cx + 1, f - 68);
                slit.lineTo(cx + 8, f - 61);
                slit.lineTo(cx + 6.5, f - 59);
                slit.lineTo(cx - 0.5, f - 66);
                slit.closeSubpath();
                t.Ball(f - 78, 2.8);
                t.Part(mitre.subtracted(slit));
                t.Collar(f - 50, 9, 2.6);
                t.Stem(f - 14, 12 * s + 2, f - 48, 4.5 * s + 1);
                t.Collar(f - 46, 12, 3.2);
                Base(t, 19);
                break;
            }
            case 'n': {
                // The head is the knight glyph's body, stood on a turned base.
                const QPainterPath& g = st.knight->solid[4];
                const QPainterPath body = Silhouette(g);
                const QRectF box = body.boundingRect();
                QTransform m;
                const double scale = std::min(40.0 / box.width(), 58.0 / box.height());
                m.translate(cx - box.center().x() * scale, f - 10 - box.bottom() * scale);
                m.scale(scale, scale);
                t.Part(m.map(body));
                QPainterPath lines = m.map(st.knight->outline[4]);
                svg.Fill(lines.subtracted(m.map(body).subtracted(lines)), tone.line, 0.5);
                Base(t, 21);
                break;
            }
            case 'p':
                t.Ball(f - 44, 9.5);
                t.Collar(f - 34, 9, 2.6);
                t.Stem(f - 14, 11 * s + 2, f - 33, 4.5 * s + 1);
                Base(t, 16.5);
                break;
        }
        svg.Write(QStringLiteral("%1/%2%3.svg").arg(dir).arg(colour).arg(kKinds[i]));
    }
}

void WriteEraser(const QString& dir) {
    Svg svg(32, 32);
    QTransform r;
    r.translate(16, 16);
    r.rotate(-35);
    QPainterPath rubber;
    rubber.addRoundedRect(QRectF(-13, -6, 15, 12), 2, 2);
    QPainterPath sleeve;
    sleeve.addRoundedRect(QRectF(1, -6, 12, 12), 2, 2);
    svg.FillStroke(r.map(rubber), QStringLiteral("#f08ca0"), QStringLiteral("#000000"), 1.2);
    svg.FillStroke(r.map(sleeve), QStringLiteral("#3c64c8"), QStringLiteral("#000000"), 1.2);
    svg.Write(dir + QStringLiteral("/eraser.svg"));
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kd-piece-art RESDIR\n");
        return 2;
    }
    const QString res = QString::fromLocal8Bit(argv[1]);
    Glyphs serif, sans;
    if (!LoadGlyphs(kFreeSerif, &serif) || !LoadGlyphs(kDejaVuSans, &sans)) {
        std::fprintf(stderr, "kd-piece-art: the chess glyphs of %s and %s are needed\n", kFreeSerif,
                     kDejaVuSans);
        return 1;
    }
    const QString black = QStringLiteral("#000000"), white = QStringLiteral("#ffffff");
    const FlatStyle classicWhite{&serif, white, black, 0, {}};
    const FlatStyle classicBlack{&serif, QStringLiteral("#101010"), QStringLiteral("#f4f4f4"), 2.2,
                                 black};
    const FlatStyle creamWhite{&serif, QStringLiteral("#f6e7c1"), QStringLiteral("#3a2414"), 0, {}};
    const FlatStyle creamRed{&serif, QStringLiteral("#b3121e"), QStringLiteral("#f6e7c1"), 2.2,
                             QStringLiteral("#3a0408")};
    const FlatStyle columnWhite{&sans, white, black, 2.6, black};
    const FlatStyle columnBlack{&sans, black, white, 2.6, black};
    const Style3D plastic{{"#8c8a82", "#f3f0e6", "#ffffff", "#d9d5c8", "#3c3a34"},
                          {"#08080a", "#3a3c44", "#9aa0b4", "#1c1d22", "#000000"},
                          1.0,
                          &serif,
                          false,
                          false};
    const Style3D alternate{{"#7d8796", "#dfe6f0", "#ffffff", "#b9c3d2", "#2c3440"},
                            {"#2a0606", "#7c1a1a", "#d86a5a", "#4e0c0c", "#140000"},
                            0.7,
                            &sans,
                            false,
                            true};
    const Style3D wood{{"#8a6230", "#e8c98c", "#f8e4b4", "#c89d5c", "#4a3010"},
                       {"#1e0c04", "#5a3018", "#9a6038", "#3e1e0c", "#0a0400"},
                       0.85,
                       &serif,
                       true,
                       false};
    for (int set : {0, 1, 3, 5, 6, 7}) QDir(res).mkpath(QStringLiteral("pieces/set%1").arg(set));
    QDir(res).mkpath(QStringLiteral("cursors"));
    auto dir = [&](int set) { return QStringLiteral("%1/pieces/set%2").arg(res).arg(set); };
    WriteFlat(dir(0), 'w', classicWhite);
    WriteFlat(dir(0), 'b', classicBlack);
    WriteFlat(dir(1), 'w', creamWhite);
    WriteFlat(dir(1), 'b', creamRed);
    WriteFlat(dir(3), 'w', columnWhite);
    WriteFlat(dir(3), 'b', columnBlack);
    Write3D(dir(5), 'w', plastic);
    Write3D(dir(5), 'b', plastic);
    Write3D(dir(6), 'w', alternate);
    Write3D(dir(6), 'b', alternate);
    Write3D(dir(7), 'w', wood);
    Write3D(dir(7), 'b', wood);
    WriteEraser(res + QStringLiteral("/cursors"));
    return 0;
}
