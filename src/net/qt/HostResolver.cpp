// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/qt/HostResolver.h"

#include <QHostAddress>
#include <QHostInfo>

#include "net/SocketErrors.h"

namespace {

class SystemResolver : public IHostResolver {
  public:
    void Lookup(const std::string& host, QObject* context, Done done) override {
        QHostInfo::lookupHost(
            QString::fromStdString(host), context, [done = std::move(done)](const QHostInfo& info) {
                if (info.error() != QHostInfo::NoError) {
                    done({}, info.error() == QHostInfo::HostNotFound ? SocketErrors::kHostNotFound
                                                                     : SocketErrors::kNoData);
                    return;
                }
                for (const QHostAddress& a : info.addresses()) {
                    if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                        done(a.toString().toStdString(), 0);
                        return;
                    }
                }
                done({}, SocketErrors::kNoData);
            });
    }
};

}  // namespace

std::unique_ptr<IHostResolver> MakeSystemResolver() {
    return std::make_unique<SystemResolver>();
}
