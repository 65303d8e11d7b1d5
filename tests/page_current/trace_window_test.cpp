// "Protocol trace..." on a page's system menu: the trace shown, keys on demand, copied and saved.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "page_shared/text_file.h"
#include "page_shared/trace_dlg.h"
#include "res/resource.h"
#include "tests/page_current/page1_fixture.h"

namespace {

TEST_F(Page1Test, TheTraceWindowShowsCopiesAndSavesTheTrace) {
    Store().security = "2";
    Store().wpaKey = "Kx9#secret";
    OpenAndRead();
    ASSERT_TRUE(ui_.SysCommand(Page(), IDM_PROTOCOL_TRACE));
    ui::CDialog* window = ui_.TopDialog();
    ASSERT_NE(window, &Page());
    EXPECT_EQ(ui_.Caption(*window), "Protocol trace");
    const trace::ProtocolTrace& log = dlg_.Trace();
    EXPECT_EQ(ui_.Text(*window, CTraceDlg::IDC_TRACE_TEXT), log.Text(false, "\r\n"));
    EXPECT_NE(log.Text(false).find("# Printer Status: Read Success"), std::string::npos);

    ASSERT_TRUE(ui_.Click(*window, CTraceDlg::IDC_TRACE_SHOW_KEYS));
    EXPECT_EQ(ui_.Text(*window, CTraceDlg::IDC_TRACE_TEXT), log.Text(true, "\r\n"));
    ASSERT_TRUE(ui_.Click(*window, CTraceDlg::IDC_TRACE_COPY));
    EXPECT_EQ(ui_.Clipboard(), log.Text(true, "\r\n"));

    // Cancelled, then saved: the file holds what the window shows.
    const std::string path = ::testing::TempDir() + "zephra_trace_window.txt";
    std::remove(path.c_str());
    ASSERT_TRUE(ui_.Click(*window, CTraceDlg::IDC_TRACE_SAVE));
    ui_.AnswerNextFileDialog(path);
    ASSERT_TRUE(ui_.Click(*window, CTraceDlg::IDC_TRACE_SAVE));
    const auto dialogs = ui_.TakeFileDialogs();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].kind, ui::FileDialogKind::kSave);
    EXPECT_EQ(dialogs[1].filter.pattern, "*.txt");
    std::string saved;
    ASSERT_TRUE(ReadTextFile(path, &saved));
    EXPECT_EQ(saved, log.Text(true, "\r\n"));
    struct stat file {};
    ASSERT_EQ(stat(path.c_str(), &file), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u) << "keys shown: its owner's alone";
    std::remove(path.c_str());

    ASSERT_TRUE(ui_.Click(*window, ui::kIdCancel));
    EXPECT_EQ(ui_.TopDialog(), &Page());
    EXPECT_TRUE(BoxTexts().empty());
}

}  // namespace
