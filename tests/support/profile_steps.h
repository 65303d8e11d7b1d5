// Saving and loading settings profiles through a page's system menu, and what a refusal must
// leave alone.
#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "page_shared/text_file.h"
#include "res/resource.h"
#include "ui/headless/headless_backend.h"

// A profile file of the test's own, removed at the end.
class ProfileFile {
  public:
    // Named by the test process too: ctest may run the cases of one test in parallel processes.
    explicit ProfileFile(const std::string& name)
        : path_(::testing::TempDir() + name + "-" + std::to_string(::getpid()) + ".json") {
        std::remove(path_.c_str());
    }
    ~ProfileFile() { std::remove(path_.c_str()); }
    const std::string& Path() const { return path_; }
    std::string Read() const {
        std::string text;
        ReadTextFile(path_, &text);
        return text;
    }
    void Write(const std::string& text) const { ASSERT_TRUE(WriteFileReplacing(path_, text)); }

  private:
    std::string path_;
};

// "Save settings to file...", answering the key question and the Save dialog.
inline void SaveProfileFile(ui::HeadlessBackend& ui, ui::CDialog& page, const ProfileFile& file,
                            bool includeKey) {
    ui.AnswerNextBox(includeKey ? ui::kIdYes : ui::kIdNo);
    ui.AnswerNextFileDialog(file.Path());
    ASSERT_TRUE(ui.SysCommand(page, IDM_SAVE_SETTINGS));
    const auto boxes = ui.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Include the security key in the file?");
    EXPECT_EQ(boxes[0].type, ui::kMbYesNo | ui::kMbIconQuestion);
    const auto dialogs = ui.TakeFileDialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].filter.description, "Printer settings (*.json)");
}

// "Load settings from file..."; returns the texts of the boxes it showed.
inline std::vector<std::string> LoadProfileFile(ui::HeadlessBackend& ui, ui::CDialog& page,
                                                const ProfileFile& file) {
    ui.AnswerNextFileDialog(file.Path());
    EXPECT_TRUE(ui.SysCommand(page, IDM_LOAD_SETTINGS));
    EXPECT_EQ(ui.TakeFileDialogs().size(), 1u);
    return ui.TakeBoxTexts();
}

// Every control's text, check and enabled state: what a refused profile must leave as it was.
inline std::vector<std::string> ControlStates(ui::HeadlessBackend& ui, ui::CDialog& page) {
    std::vector<std::string> states;
    for (const ui::ControlDesc& c : page.Desc().controls) {
        if (c.id == ui::kNoId)
            continue;
        states.push_back(std::to_string(c.id) + " " + ui.Text(page, c.id) + " " +
                         std::to_string(ui.Checked(page, c.id)) +
                         (ui.Enabled(page, c.id) ? " on" : " off"));
    }
    return states;
}
