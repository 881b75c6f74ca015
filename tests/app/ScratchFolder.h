// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

// A fresh folder for one test that is also the current folder while the test
// runs, since the application keeps settings.ini and ".kd2" files there.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& name)
        : m_old(std::filesystem::current_path()),
          m_path(std::filesystem::temp_directory_path() /
                 ("kordane-app-" + std::to_string(::getpid()) + "-" + name)) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
        std::filesystem::current_path(m_path);
    }
    ~ScratchFolder() {
        std::filesystem::current_path(m_old);
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_old;
    std::filesystem::path m_path;
};
