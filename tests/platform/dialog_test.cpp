// Dialogs on the headless screen: the runner's keys and defaults, the edit field and the list,
// and the file dialogs over real folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/file_dialog.h"
#include "platform/headless_front_end.h"
#include "platform/runtime.h"
#include "platform/window.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using namespace plat;
using Step = std::function<void(Dialog*)>;

constexpr int kName = 10, kList = 11, kApply = 12;
constexpr DialogItem kItems[] = {
    {ControlKind::Static, kNoId, "Name:", {2, 2, 30, 10}},
    {ControlKind::Edit, kName, "", {34, 2, 100, 13}},
    {ControlKind::List, kList, "", {2, 20, 120, 60}},
    {ControlKind::Button, kApply, "Apply", {2, 90, 40, 14}},
    {ControlKind::DefaultButton, kIdOk, "OK", {50, 90, 40, 14}},
    {ControlKind::Button, kIdCancel, "Cancel", {96, 90, 40, 14}},
};
constexpr DialogTemplate kTemplate = {"Test", {140, 110}, false, kItems};

class DialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetFrontEnd(&front);
        StartWindowSystem();
        WindowParams params;
        params.title = "main";
        main = CreateWindow(params);
        RunUntilIdle();
    }
    void TearDown() override
    {
        StopWindowSystem();
        SetFrontEnd(nullptr);
        UseVirtualClock(false);
    }
    // Plays the steps, one per idle turn, while `open` runs the dialog.
    template <typename Open>
    auto play(std::vector<Step> steps, Open open)
    {
        std::size_t next = 0;
        front.setIdleHook([&] {
            if (next >= steps.size())
                return false;
            steps[next++](current);
            return true;
        });
        auto result = open();
        front.setIdleHook({});
        EXPECT_EQ(next, steps.size()) << "the dialog ended early";
        return result;
    }
    std::intptr_t run(std::vector<Step> steps)
    {
        return play(std::move(steps), [&] {
            return RunModalDialog(kTemplate, main, [&](Dialog& dialog, const Message& m) {
                current = &dialog;
                if (m.msg == Msg::InitDialog) {
                    std::vector<ListRow> rows;
                    for (int i = 0; i < 30; ++i)
                        rows.push_back({"row " + std::to_string(i), RowIcon::File});
                    static_cast<ListControl*>(dialog.control(kList))->setRows(rows);
                }
                if (m.msg == Msg::Command && m.id != kIdOk && m.id != kIdCancel)
                    notes.push_back(std::to_string(m.id) + ":" + std::to_string(m.value));
                return false;
            });
        });
    }
    static ControlView viewOf(int id)
    {
        std::optional<DialogView> view = OpenDialogView();
        for (const ControlView& c : view ? view->controls : std::vector<ControlView>{})
            if (c.id == id)
                return c;
        ADD_FAILURE() << "no control " << id;
        return {};
    }
    static Point centre(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

    HeadlessFrontEnd front;
    Window* main = nullptr;
    Dialog* current = nullptr;
    std::vector<std::string> notes;
};

TEST_F(DialogTest, KeysTypeIntoTheFieldMoveTheFocusAndPressOkOrCancel)
{
    EXPECT_EQ(DialogUnitsToPixels({4, 8, 40, 16}), (Rect{6, 13, 60, 26}));
    std::string typed;
    std::vector<int> focusOrder;
    auto noteFocus = [&](Dialog* d) { focusOrder.push_back(d->focused() ? d->focused()->id() : 0); };
    EXPECT_EQ(run({noteFocus, [](Dialog*) { InjectText("Bïrds"); }, [](Dialog*) { InjectKeyPress(Key::Left); },
                   [](Dialog*) { InjectKeyPress(Key::Back); }, [](Dialog*) { InjectText("x"); },
                   [](Dialog*) { InjectKeyPress(Key::Home); InjectKeyPress(Key::Delete); },
                   [&](Dialog* d) { typed = d->text(kName); InjectKeyPress(Key::Tab); }, noteFocus,
                   [](Dialog*) { InjectKeyPress(Key::Tab); InjectKeyPress(Key::Tab); InjectKeyPress(Key::Tab); },
                   noteFocus, [](Dialog*) { InjectKeyPress(Key::Tab, kModShift); }, noteFocus,
                   [](Dialog*) { InjectKeyPress(Key::Space); }}),
              kIdOk)
        << "Space pressed the focused OK button";
    EXPECT_EQ(typed, "ïrxs");
    EXPECT_EQ(focusOrder, (std::vector<int>{kName, kList, kIdCancel, kIdOk}));
    EXPECT_EQ(notes, std::vector<std::string>(8, "10:3")) << "each change reported";

    EXPECT_EQ(run({[](Dialog*) { InjectKeyPress(Key::Escape); }}), kIdCancel);
    EXPECT_EQ(run({[](Dialog*) { InjectCloseRequest(); }}), kIdCancel);
    EXPECT_EQ(run({[](Dialog*) { InjectTap(centre(viewOf(kIdOk).rect)); }}), kIdOk);
    EXPECT_EQ(ActiveWindow(), main);
}

TEST_F(DialogTest, ListSelectsByPenAndKeysAndScrollsByBarAndWheel)
{
    std::vector<int> tops;
    auto noteTop = [&](Dialog* d) { tops.push_back(static_cast<ListControl*>(d->control(kList))->topRow()); };
    run({[](Dialog*) { InjectTap(centre(viewOf(kList).rowRects[2])); },
         [](Dialog*) { InjectKeyPress(Key::Down); InjectKeyPress(Key::End); }, noteTop,
         [](Dialog*) { InjectKeyPress(Key::Home); }, noteTop,
         [](Dialog*) {
             Rect list = viewOf(kList).rect;
             InjectTap({list.right() - 5, list.bottom() - 5}); // the scroll bar's down arrow
         },
         noteTop, [](Dialog*) { InjectWheel(centre(viewOf(kList).rect), -2); }, noteTop,
         [](Dialog*) { InjectTap(centre(viewOf(kList).rowRects[8])); },
         [](Dialog*) { InjectTap(centre(viewOf(kList).rowRects[8])); }, // a double tap
         [](Dialog*) { InjectKeyPress(Key::Escape); }});
    EXPECT_EQ(tops, (std::vector<int>{tops[0], 0, 1, 7}));
    EXPECT_GT(tops[0], 20) << "End scrolled the last row into view";
    EXPECT_EQ(notes, (std::vector<std::string>{"11:1", "11:4", "11:1", "11:1", "11:1", "11:1", "11:4", "11:2"}));
}

class FileDialogTest : public DialogTest {
protected:
    std::optional<std::string> open(std::vector<Step> steps, bool saving)
    {
        FileDialogRequest request{main, saving ? "Save File As" : "Open File", "Zentiles Data Base (*.zdb)",
                                  "*.zdb", saving ? "zdb" : "", folder.folder(), 260};
        return play(std::move(steps), [&] { return saving ? RunSaveFileDialog(request) : RunOpenFileDialog(request); });
    }
    static Step tapRow(const std::string& text)
    {
        return [=](Dialog*) {
            ControlView list = viewOf(kFileDialogList);
            auto at = std::find(list.rows.begin(), list.rows.end(), text);
            ASSERT_NE(at, list.rows.end()) << text;
            InjectTap(centre(list.rowRects[static_cast<std::size_t>(at - list.rows.begin())]));
        };
    }
    static Step type(const std::string& text)
    {
        return [=](Dialog*) { InjectText(text); InjectKeyPress(Key::Return); };
    }
    testsupport::TempFolder folder;
};

TEST_F(FileDialogTest, BrowsesFoldersListsPacksAndAnswersThePathChosen)
{
    std::filesystem::create_directories(folder.file("Packs/Birds"));
    folder.write("Packs/Zoo.zdb", "z");
    folder.write("Packs/ärger.ZDB", "a");
    folder.write("Packs/notes.txt", "n");
    folder.write("Packs/.hidden.zdb", "h");
    folder.write("top.zdb", "t");
    std::vector<std::string> seen, folders;
    auto look = [&](Dialog*) {
        seen = viewOf(kFileDialogList).rows;
        folders.push_back(viewOf(kFileDialogFolder).text);
    };
    EXPECT_EQ(open({look, tapRow("Packs"), look, tapRow("Zoo.zdb"), tapRow("Zoo.zdb")}, false),
              folder.file("Packs/Zoo.zdb"));
    EXPECT_EQ(seen, (std::vector<std::string>{"Birds", "Zoo.zdb", "ärger.ZDB"}));
    EXPECT_EQ(folders, (std::vector<std::string>{folder.folder(), folder.file("Packs/")}));
    // Up, Back in the list, a typed folder name, a typed absolute path; Escape cancels.
    EXPECT_EQ(open({tapRow("Packs"), tapRow("Birds"), [](Dialog*) { InjectTap(centre(viewOf(kFileDialogUp).rect)); },
                    tapRow("Birds"), [](Dialog*) { InjectKeyPress(Key::Back); }, look,
                    [](Dialog*) { InjectTap(centre(viewOf(kFileDialogName).rect)); }, type("Birds"), look,
                    type(folder.file("top.zdb"))},
                   false),
              folder.file("top.zdb"));
    EXPECT_EQ(folders.back(), folder.file("Packs/Birds/"));
    EXPECT_EQ(folders[folders.size() - 2], folder.file("Packs/"));
    EXPECT_EQ(open({[](Dialog*) { InjectKeyPress(Key::Escape); }}, false), std::nullopt);
}

TEST_F(FileDialogTest, SaveAddsTheExtensionAndRefusesANameTooLongForThePathBuffer)
{
    EXPECT_EQ(open({type("Birds")}, true), folder.file("Birds.zdb"));
    EXPECT_EQ(open({type("Birds.old")}, true), folder.file("Birds.old"));
    testsupport::MessageRecorder boxes;
    // 260 characters with the end mark: the longest path has 259, counted as the handheld did.
    std::string room(259 - folder.folder().size() - 4, 'x');
    std::string tooLong = room + "\xC3\xA4";
    std::optional<std::string> chosen =
        open({type(tooLong), [&](Dialog*) {
                  EXPECT_EQ(viewOf(kFileDialogName).text, tooLong) << "never cut";
                  for (int i = 0; i < 2; ++i)
                      InjectKeyPress(Key::Back);
                  InjectKeyPress(Key::Return);
              }},
             true);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"The file name is too long."}));
    EXPECT_EQ(chosen, folder.file(room.substr(0, room.size() - 1) + ".zdb"));
}

} // namespace
