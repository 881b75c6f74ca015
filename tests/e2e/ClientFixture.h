// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "app/MainFrame.h"
#include "console/ConsoleFrame.h"
#include "e2e/ServerFixture.h"
#include "net/Profile.h"
#include "net/qt/Kordane2Doc.h"

// The whole client as "Tester" against a test server of its own: a main
// frame with the given start-window counts and a connection ready to be
// added (Connect), with the server's transcript at hand.
class ClientFixture : public ::testing::Test {
  protected:
    using StartCounts = std::initializer_list<std::pair<const char*, const char*>>;

    explicit ClientFixture(StartCounts counts, QSize size = {})
        : m_profile(m_dir.filePath("settings.ini").toStdString()) {
        for (const auto& [key, value] : counts) m_profile.WriteString("Start Windows", key, value);
        m_main = std::make_unique<CMainFrame>(m_profile);
        if (size.isValid()) m_main->resize(size);
        m_main->show();
        m_doc = new CKordane2Doc(m_profile, &m_documents);
        m_doc->Params().host = "127.0.0.1";
        m_doc->Params().port = m_server.Port();
        m_doc->Params().handle = "Tester";
        m_doc->Params().password = "test1";
    }

    // Adds the connection; its main console connects and logs in.
    CConsoleFrame* Connect() {
        m_frame = m_main->AddConnection(*m_doc, "Tester.kd2");
        return m_frame;
    }
    bool Received(const std::string& line) {
        return WaitFor([&] { return m_server.Transcript().find(line) != std::string::npos; });
    }

    TestServer m_server;
    QTemporaryDir m_dir;
    CProfile m_profile;
    std::unique_ptr<CMainFrame> m_main;
    QObject m_documents;
    CKordane2Doc* m_doc = nullptr;
    CConsoleFrame* m_frame = nullptr;
};
