// The game dialogs' controls on the headless screen: the list view's hit tests, pen gestures and
// keys, the drop-down list's notifications in their order, radio buttons and colour boxes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/drop_down.h"
#include "platform/headless_front_end.h"
#include "platform/list_view.h"
#include "platform/runtime.h"
#include "platform/window.h"

namespace {

using namespace plat;
using Step = std::function<void()>;

constexpr int kPacks = 20, kRadio = 21, kBox = 22;
constexpr DialogItem kItems[] = {
    {ControlKind::DropDown, kPacks, "", {0, 0, 60, 60}},
    {ControlKind::Radio, kRadio, "Choice", {100, 0, 50, 10}},
    {ControlKind::ColorBox, kBox, "", {100, 12, 8, 9}},
};
constexpr DialogTemplate kTemplate = {"Controls", {}, true, kItems};

class DialogControls : public testing::Test {
protected:
    void SetUp() override
    {
        SetFrontEnd(&front);
        StartWindowSystem();
        main = CreateWindow({.title = "main"});
        RunUntilIdle();
    }
    void TearDown() override
    {
        StopWindowSystem();
        SetFrontEnd(nullptr);
        UseVirtualClock(false);
    }
    // Runs the dialog: a list view of 12 rows of 40 pixels under the drop-down list, columns 50
    // and 30 wide; plays one step per idle turn and notes every notification as "id:code".
    void run(std::vector<Step> steps)
    {
        std::size_t next = 0;
        front.setIdleHook([&] {
            if (next >= steps.size())
                return false;
            steps[next++]();
            return true;
        });
        RunModalDialog(kTemplate, main, [&](Dialog& dialog, const Message& m) {
            if (m.msg == Msg::InitDialog) {
                list = static_cast<ListViewControl*>(dialog.addControl({ControlKind::ListView, kNoId, "", {}}, {0, 30, 120, 200}));
                std::vector<std::unique_ptr<Bitmap>> images;
                images.push_back(CreateScreenBitmap(10, 39));
                list->setImages(std::move(images));
                list->setColumns({{"Name", 50, kTextLeft}, {"N", 30, kTextCenter}});
                list->setCellSource([](int row, int column) { return ListCell{std::to_string(row * 10 + column), 0}; });
                list->setRowCount(12);
                packs = static_cast<DropDownControl*>(dialog.control(kPacks));
                packs->setItems({"one", "two", "three"});
                packs->select(0);
            }
            if (m.msg == Msg::Command && m.id != kIdOk && m.id != kIdCancel)
                notes.push_back(std::to_string(m.id) + ":" + std::to_string(m.value));
            return false;
        });
        front.setIdleHook({});
        EXPECT_EQ(next, steps.size()) << "the dialog ended early";
    }
    // A screen point of the list view's client point.
    static Point onList(int x, int y) { return {x, kTopBarHeight + 30 + y}; }

    HeadlessFrontEnd front;
    Window* main = nullptr;
    ListViewControl* list = nullptr;
    DropDownControl* packs = nullptr;
    std::vector<std::string> notes;
};

TEST_F(DialogControls, ListViewHitsRowsAndColumnsAndTurnsGesturesIntoNotifications)
{
    std::vector<ListHit> hits;
    std::vector<Point> points;
    std::vector<int> tops, focus;
    auto look = [&] {
        tops.push_back(list->topRow());
        focus.push_back(list->focusedRow());
        points.push_back(list->penPoint());
    };
    const std::string tap = std::to_string(kNoId) + ":" + std::to_string(kNotifyTap);
    run({[&] {
             EXPECT_EQ(list->rowHeight(), 40) << "the tallest picture and a pixel";
             EXPECT_EQ(list->visibleRows(), 4);
             for (Point p : {Point{10, 10}, Point{10, 25}, Point{49, 64}, Point{50, 64}, Point{79, 184},
                             Point{85, 100}, Point{115, 100}})
                 hits.push_back(list->hitTest(p));
             InjectTap(onList(60, 70)); // row 1, column 1
         },
         look, [] { InjectTap(onList(60, 70)); }, look, // a double tap
         [] { InjectPen(PenAction::Hold, onList(20, 150)); }, [] { InjectPen(PenAction::Up, onList(20, 150)); }, look,
         [] {
             InjectPen(PenAction::Down, onList(20, 190));
             for (int y = 189; y >= 70; --y)
                 InjectPen(PenAction::Move, onList(20, y));
             InjectPen(PenAction::Up, onList(20, 70));
         },
         look, [] { InjectKeyPress(Key::Down); InjectKeyPress(Key::End); }, look,
         [] { InjectKeyPress(Key::F10, kModShift); }, look, [] { InjectKeyPress(Key::Escape); }});
    EXPECT_EQ(hits, (std::vector<ListHit>{{-1, -1}, {0, 0}, {0, 0}, {0, 1}, {3, 1}, {-1, -1}, {-1, -1}}))
        << "the titles, row and column, past the last column, the scroll bar";
    EXPECT_EQ(notes, (std::vector<std::string>{tap, "-1:2", "-1:6", "-1:1", "-1:1", "-1:6"}))
        << "tap, double tap, hold; the drag told nothing; keys select; Shift+F10 holds";
    EXPECT_EQ(points[0], (Point{60, 70}));
    EXPECT_EQ(points[2], (Point{20, 150}));
    EXPECT_EQ(tops, (std::vector<int>{0, 0, 0, 3, 8, 8})) << "dragged up by three rows, then End";
    EXPECT_EQ(focus, (std::vector<int>{1, 1, 3, 4, 11, 11}));
}

TEST_F(DialogControls, DropDownTellsTheChoiceThenTheCloseAndRadioAndBoxTellTheirTaps)
{
    std::vector<std::string> shown;
    auto look = [&] { shown.push_back(packs->text() + (packs->dropped() ? " open" : "")); };
    const Point box{20, kTopBarHeight + 10};
    run({[&] { InjectTap(box); }, look,
         [&] { InjectTap({20, kTopBarHeight + DropDownBoxHeight() + 1 + 17 + 8}); }, look, // "two"
         [&] { InjectTap(box); }, [] { InjectTap({200, 200}); }, look,                     // dismissed
         [] { InjectKeyPress(Key::Down); }, [] { InjectKeyPress(Key::Down); InjectKeyPress(Key::Return); }, look,
         [] { InjectKeyPress(Key::Space); }, [] { InjectKeyPress(Key::Escape); }, look,
         [] { InjectKeyPress(Key::Tab); InjectKeyPress(Key::Space); }, [] { InjectKeyPress(Key::Tab); },
         [] { InjectKeyPress(Key::Escape); }});
    EXPECT_EQ(shown, (std::vector<std::string>{"one open", "two", "two", "three", "three"}));
    EXPECT_EQ(notes, (std::vector<std::string>{"20:1", "20:5", "20:5", "20:1", "20:5", "20:5", "21:0", "22:7"}))
        << "a new choice, then the close; the close alone; the radio's Space; the box took the keys";
}

} // namespace
