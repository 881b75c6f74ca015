// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// The "Sounds" settings as the user's file holds them, and the order of the
// rules that decide whether and how an event sounds.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/ScratchFolder.h"
#include "app/SoundOutput.h"
#include "app/SoundPlayer.h"
#include "app/SoundTable.h"
#include "net/Profile.h"

namespace {

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(SoundTableTest, StoredKeysOverwriteTheDefaultsAndSurviveARoundTrip) {
    ScratchFolder scratch("sound-table");
    const std::string longPath = "sounds/" + std::string(600, 'x') + ".wav";
    WriteFile(scratch.File("settings.ini"),
              "[sounds]\r\n"
              "EVENT3=" +
                  longPath +
                  "\r\n"
                  "event5=\r\n"
                  "Event8=My Moves/wood.wav\r\n"
                  "mute=1x101\r\n"
                  "Enabled=no\r\n");
    CProfile profile(scratch.File("settings.ini"));
    CSoundTable table;
    table.Load(profile);

    // "1x101": a character other than "1" is not muted, and the events past
    // the short string's end are not muted either.
    for (int i = 0; i < kSoundEventCount; ++i) {
        const bool muted = i == 0 || i == 2 || i == 4;
        EXPECT_EQ(table.At(SoundEvent(i)).muted, muted) << "event " << i;
    }
    // A 499-character buffer keeps 498 characters of a longer value.
    EXPECT_EQ(table.At(SoundEvent::IllegalMove).path, longPath.substr(0, 498));
    // An empty value is a value: the event then names no file.
    EXPECT_EQ(table.At(SoundEvent::NotifyArrived).path, "");
    EXPECT_EQ(table.At(SoundEvent::Move).path, "My Moves/wood.wav");
    EXPECT_EQ(table.At(SoundEvent::Disconnection).path, "DConnect.wav");
    EXPECT_TRUE(CSoundTable::LoadEnabled(profile));

    table.At(SoundEvent::Disconnection).muted = true;
    ASSERT_TRUE(table.Save(profile));
    EXPECT_EQ(profile.GetString("Sounds", "Mute"), "10101000000000000000001");
    CSoundTable again;
    again.Load(profile);
    for (int i = 0; i < kSoundEventCount; ++i) {
        EXPECT_EQ(again.At(SoundEvent(i)).path, table.At(SoundEvent(i)).path) << "event " << i;
        EXPECT_EQ(again.At(SoundEvent(i)).muted, table.At(SoundEvent(i)).muted) << "event " << i;
    }

    // A value of exactly 498 characters is kept whole.
    const std::string fits(498, 'y');
    profile.WriteString("Sounds", "Event3", fits);
    again.Load(profile);
    EXPECT_EQ(again.At(SoundEvent::IllegalMove).path, fits);

    profile.WriteString("Sounds", "Enabled", "0");
    EXPECT_FALSE(CSoundTable::LoadEnabled(profile));
}

// What the player asked of the audio system.
class RecordingOutput : public ISoundOutput {
  public:
    explicit RecordingOutput(std::vector<std::string>* log) : m_log(log) {}
    void Play(const std::string& path, bool interrupt) override {
        m_log->push_back((interrupt ? "play " : "queue ") + path);
    }
    void Beep() override { m_log->push_back("beep"); }

  private:
    std::vector<std::string>* m_log;
};

TEST(SoundPlayerTest, RepeatedEventsDoNotCutThemselvesOff) {
    std::vector<std::string> log;
    CSoundPlayer player(std::make_unique<RecordingOutput>(&log), "");
    CSoundTable table;
    table.At(SoundEvent::GameEndWin).muted = true;
    player.SetTable(table);

    using E = SoundEvent;
    struct Step {
        E event;
        const char* heard;  // nullptr: nothing asked of the output
    } steps[] = {
        {E::Move, "play move.wav"},  // nothing played before
        {E::Move, "queue move.wav"},
        {E::MoveCapture, "play capture.wav"},
        // A muted event does not count as played...
        {E::GameEndWin, nullptr},
        // ...so a capture after it still follows a capture.
        {E::MoveCapture, "queue capture.wav"},
        {E::Move, "play move.wav"},
    };
    for (const Step& step : steps) {
        log.clear();
        player.PlaySound(step.event);
        const std::vector<std::string> expected =
            step.heard ? std::vector<std::string>{step.heard} : std::vector<std::string>{};
        EXPECT_EQ(log, expected) << CSoundTable::DisplayName(step.event);
    }

    // Bell only: a beep that counts as played, and a muted event stays silent.
    player.SetBellOnly(true);
    log.clear();
    player.PlaySound(E::Challenge);
    player.PlaySound(E::GameEndWin);
    EXPECT_EQ(log, std::vector<std::string>{"beep"});
    player.SetBellOnly(false);
    log.clear();
    player.PlaySound(E::Challenge);
    EXPECT_EQ(log, std::vector<std::string>{"queue Drip.wav"});

    // Switched off: neither files nor beeps, but a preview still plays.
    player.SetEnabled(false);
    log.clear();
    player.PlaySound(E::Move);
    player.SetBellOnly(true);
    player.PlaySound(E::Move);
    player.Preview("Ding.wav");
    EXPECT_EQ(log, std::vector<std::string>{"play Ding.wav"});
}

TEST(SoundPlayerTest, NamesResolveFromTheCurrentFolderThenTheShippedOne) {
    ScratchFolder scratch("sound-resolve");
    std::filesystem::create_directories(scratch.Path() / "shipped");
    std::filesystem::create_directories(scratch.Path() / "mine");
    WriteFile(scratch.File("shipped/move.wav"), "RIFF");
    WriteFile(scratch.File("shipped/Ding.wav"), "RIFF");
    WriteFile(scratch.File("mine/move.wav"), "RIFF");
    WriteFile(scratch.File("Ding.wav"), "RIFF");
    const std::string shipped = scratch.File("shipped");

    EXPECT_EQ(CSoundPlayer::Resolve("Ding.wav", shipped), "Ding.wav");
    EXPECT_EQ(CSoundPlayer::Resolve("mine/move.wav", shipped), "mine/move.wav");
    EXPECT_EQ(CSoundPlayer::Resolve("move.wav", shipped), shipped + "/move.wav");
    // Nowhere to be found: handed on as stored, to stay silent.
    EXPECT_EQ(CSoundPlayer::Resolve("Buzzer.wav", shipped), "Buzzer.wav");
    // An absolute name is never looked for in the shipped folder.
    EXPECT_EQ(CSoundPlayer::Resolve("/nowhere/move.wav", shipped), "/nowhere/move.wav");
}

}  // namespace
