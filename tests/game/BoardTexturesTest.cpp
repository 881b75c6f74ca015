// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include <gtest/gtest.h>

#include "game/BoardTextures.h"

namespace {

double Brightness(const QImage& img) {
    double sum = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) sum += qGray(img.pixel(x, y));
    return sum / (img.width() * img.height());
}

}  // namespace

// The tiling of the squares follows from the texture sizes, and the light
// texture of every style must read as the light squares.
TEST(BoardTexturesTest, StylesHaveTheirSizesAndLightIsLighter) {
    const int sizes[6] = {160, 200, 200, 200, 200, 160};
    CBoardTextures tex;
    for (int style = 0; style < 6; ++style) {
        SCOPED_TRACE(style);
        ASSERT_TRUE(tex.Load(style));
        ASSERT_TRUE(tex.Textured());
        EXPECT_EQ(tex.Light().size(), QSize(sizes[style], sizes[style]));
        EXPECT_EQ(tex.Dark().size(), tex.Light().size());
        EXPECT_GT(Brightness(tex.Light()), Brightness(tex.Dark()) + 40);
    }
    EXPECT_TRUE(tex.Load(6));
    EXPECT_FALSE(tex.Textured());
    EXPECT_TRUE(tex.Load(1));
    EXPECT_FALSE(tex.Load(7));
    EXPECT_FALSE(tex.Textured());
    EXPECT_FALSE(tex.Load(-1));
}
