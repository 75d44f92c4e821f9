// Tests of the window system on the headless front end: queue order, timers on the virtual
// clock, activation, painting and composition, pen routing, modal message boxes, accelerators.
#include "platform/single_instance.h"
#include "platform/png_writer.h"
#include "platform/window.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless_front_end.h"
#include "platform/runtime.h"
#include "support/temp_folder.h"

namespace {

using namespace plat;

// One line per message a recording window saw, e.g. "main Activate 0 box".
struct Journal {
    std::vector<std::string> lines;
    void clear() { lines.clear(); }
};

const char* MsgName(Msg msg)
{
    static const char* const names[] = {"Create", "Destroy", "Paint",  "PenDown", "PenMove",
                                        "PenUp",  "PenHold", "KeyDown", "KeyUp",  "Char",
                                        "Command", "Timer",  "Activate", "Close", "Quit",
                                        "Focus",   "User",   "Wheel",    "InitDialog"};
    return names[static_cast<int>(msg)];
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetFrontEnd(&front);
        StartWindowSystem();
    }
    void TearDown() override
    {
        StopWindowSystem();
        SetFrontEnd(nullptr);
        UseVirtualClock(false);
    }

    // A window that writes what it receives into the journal, then does default processing.
    Window* Recording(const std::string& name, Rect rect = {}, Window* parent = nullptr)
    {
        WindowParams params;
        params.title = name;
        params.rect = rect;
        params.parent = parent;
        params.proc = [this](Window& w, const Message& m) -> std::intptr_t {
            if (m.msg == Msg::Paint && !recordPaint)
                return DefaultWindowProc(w, m);
            std::string line = w.title + " " + MsgName(m.msg);
            if (m.msg == Msg::Activate)
                line += " " + std::to_string(m.id) + " " + (m.other ? m.other->title : "-");
            if (m.msg == Msg::User || m.msg == Msg::Timer || m.msg == Msg::Command ||
                m.msg == Msg::Char || m.msg == Msg::KeyDown)
                line += " " + std::to_string(m.id);
            if (m.msg >= Msg::PenDown && m.msg <= Msg::PenHold)
                line += " " + std::to_string(m.pt.x) + "," + std::to_string(m.pt.y);
            journal.lines.push_back(line);
            return DefaultWindowProc(w, m);
        };
        return CreateWindow(params);
    }

    HeadlessFrontEnd front;
    Journal journal;
    bool recordPaint = false;
};

using Lines = std::vector<std::string>;

TEST_F(WindowTest, PostedMessagesKeepOrderAndSentOnesRunAtOnce)
{
    recordPaint = true;
    Window* main = Recording("main");
    RunUntilIdle();
    journal.clear();
    PostMessage({.window = main, .msg = Msg::User, .id = 1});
    PostMessage({.window = main, .msg = Msg::User, .id = 2});
    EXPECT_EQ(SendMessage({.window = main, .msg = Msg::User, .id = 9}), 0);
    EXPECT_EQ(journal.lines, (Lines{"main User 9"}));
    // Quit waits behind the posted messages; input, paint and timers come after posted ones.
    PostQuitMessage(7);
    InvalidateRect(main, Rect{0, 0, 4, 4});
    InjectKeyPress('R');
    PostMessage({.window = main, .msg = Msg::User, .id = 3});
    std::vector<std::string> retrieved;
    Message m;
    while (GetMessage(m))
        DispatchMessage(m);
    EXPECT_EQ(m.msg, Msg::Quit);
    EXPECT_EQ(m.id, 7);
    EXPECT_EQ(journal.lines, (Lines{"main User 9", "main User 1", "main User 2", "main User 3"}));
    journal.clear();
    RunUntilIdle();
    EXPECT_EQ(journal.lines,
              (Lines{"main KeyDown 82", "main Char 114", "main KeyUp", "main Paint"}));
}

TEST_F(WindowTest, TimersFireOnTheVirtualClockAndMergeMissedPeriods)
{
    Window* main = Recording("main");
    RunUntilIdle();
    journal.clear();
    int oneShotFired = 0;
    SetTimer(main, 1, 1000);
    SetTimer(main, 2, 100, [&](Window* w, int id) {
        ++oneShotFired;
        KillTimer(w, id); // fires once each time it is started
    });
    struct Step {
        std::uint32_t advance;
        Lines expected;
        int oneShots;
    };
    const Step steps[] = {
        {99, {}, 0},
        {1, {}, 1},
        {899, {}, 1},
        {1, {"main Timer 1"}, 1},
        {3500, {"main Timer 1"}, 1}, // three periods missed: one message
        {999, {}, 1},
        {1, {"main Timer 1"}, 1},
    };
    for (const Step& step : steps) {
        journal.clear();
        AdvanceVirtualClock(step.advance);
        RunUntilIdle();
        EXPECT_EQ(journal.lines, step.expected) << "after advancing " << step.advance;
        EXPECT_EQ(oneShotFired, step.oneShots) << "after advancing " << step.advance;
    }
    KillTimer(main, 1);
    journal.clear();
    AdvanceVirtualClock(5000);
    RunUntilIdle();
    EXPECT_TRUE(journal.lines.empty());
    // A timer on a destroyed window is gone with it.
    SetTimer(main, 3, 10);
    DestroyWindow(main);
    AdvanceVirtualClock(100);
    EXPECT_EQ(RunUntilIdle(), 0);
}

TEST_F(WindowTest, ActivationMovesBetweenTopLevelWindowsInOrder)
{
    Window* main = Recording("main");
    EXPECT_EQ(journal.lines, (Lines{"main Create", "main Activate 1 -"}));
    EXPECT_EQ(ActiveWindow(), main);
    journal.clear();
    Window* dialog = Recording("dialog", {20, 60, 100, 100});
    dialog->owner = main;
    EXPECT_EQ(journal.lines, (Lines{"dialog Create", "main Activate 0 dialog",
                                    "dialog Activate 1 main"}));
    journal.clear();
    InjectFocus(false);
    InjectFocus(false); // reported twice (minimised, then focus lost): told once
    InjectFocus(true);
    RunUntilIdle();
    EXPECT_EQ(journal.lines, (Lines{"dialog Activate 0 -", "dialog Activate 1 -"}));
    journal.clear();
    // A tap on the window behind activates it by click and brings it forward.
    InjectTap({5, 40});
    RunUntilIdle();
    EXPECT_EQ(ActiveWindow(), main);
    EXPECT_EQ(TopLevelWindows().back(), main);
    EXPECT_EQ(journal.lines, (Lines{"dialog Activate 0 main", "main Activate 2 dialog",
                                    "main PenDown 5,14", "main PenUp 5,14"}));
    SetForegroundWindow(dialog);
    journal.clear();
    DestroyWindow(dialog);
    EXPECT_EQ(journal.lines, (Lines{"dialog Activate 0 main", "main Activate 1 dialog",
                                    "dialog Destroy"}));
    EXPECT_EQ(ActiveWindow(), main);
    EXPECT_FALSE(IsWindowAlive(dialog));
}

TEST_F(WindowTest, InvalidPartsMergeIntoOnePaintOnTheClientSurface)
{
    Rect painted{};
    int paints = 0;
    WindowParams params;
    params.title = "main";
    params.proc = [&](Window& w, const Message& m) -> std::intptr_t {
        if (m.msg != Msg::Paint)
            return DefaultWindowProc(w, m);
        ++paints;
        PaintContext paint = BeginPaint(&w);
        painted = paint.rect;
        FillRect(paint.dc, paint.rect, Brush{paints == 2 ? MakeColor(200, 0, 0) : kWhite});
        EndPaint(&w, paint);
        return 0;
    };
    Window* main = CreateWindow(params);
    RunUntilIdle();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(painted, ClientRect(main));
    InvalidateRect(main, Rect{0, 0, 10, 10});
    InvalidateRect(main, Rect{20, 5, 10, 10});
    InvalidateRect(main, Rect{-5, -5, 2, 2}); // outside the client area: nothing
    RunUntilIdle();
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(painted, (Rect{0, 0, 30, 15}));
    EXPECT_EQ(RunUntilIdle(), 0);
    InvalidateRect(main, Rect{100, 100, 1, 1});
    UpdateWindow(main);
    EXPECT_EQ(paints, 3);
    // Client pixel (0, 0) is screen pixel (0, 26); the bars stay over the window.
    DrawContext screen(const_cast<Bitmap*>(&ComposeScreen()));
    EXPECT_EQ(GetPixel(screen, 0, kTopBarHeight), MakeColor(200, 0, 0));
    EXPECT_EQ(GetPixel(screen, 29, kTopBarHeight + 14), MakeColor(200, 0, 0));
    EXPECT_EQ(GetPixel(screen, 30, kTopBarHeight), kWhite);
    EXPECT_NE(GetPixel(screen, 0, kTopBarHeight - 1), MakeColor(200, 0, 0));
    // A window that ignores Paint is not asked again and again.
    WindowParams lazy;
    lazy.proc = [](Window&, const Message&) -> std::intptr_t { return 0; };
    CreateWindow(lazy);
    EXPECT_LT(RunUntilIdle(), 10);
}

TEST_F(WindowTest, PenGoesToTheWindowUnderItAndStaysCaptured)
{
    Window* main = Recording("main", {0, 26, 240, 268});
    Recording("child", {50, 50, 40, 40}, main);
    Window* other = Recording("other", {0, 200, 240, 60});
    SetForegroundWindow(main);
    RunUntilIdle();
    journal.clear();
    InjectPen(PenAction::Down, {60, 80});   // inside the child
    InjectPen(PenAction::Move, {10, 230});  // over the other window: still the child's
    InjectPen(PenAction::Up, {10, 230});
    InjectPen(PenAction::Move, {10, 230});  // no contact: no message
    InjectTap({100, 10});                   // the top bar belongs to no window
    InjectTap({100, 310});                  // neither does the empty menu bar
    RunUntilIdle();
    EXPECT_EQ(journal.lines, (Lines{"child PenDown 10,4", "child PenMove -40,154",
                                    "child PenUp -40,154"}));
    EXPECT_EQ(CaptureWindow(), nullptr);
    // A second tap close by soon after is a double tap; resting the pen is a hold.
    journal.clear();
    std::vector<int> tapCounts;
    main->proc = [&](Window& w, const Message& m) -> std::intptr_t {
        if (m.msg == Msg::PenDown)
            tapCounts.push_back(m.id);
        if (m.msg == Msg::PenHold)
            tapCounts.push_back(-1);
        return DefaultWindowProc(w, m);
    };
    struct Tap {
        std::uint32_t after;
        Point at;
    };
    const Tap taps[] = {
        {1000, {5, 40}}, {200, {7, 42}}, {200, {7, 42}}, // a third tap starts over
        {100, {30, 42}},                                  // too far away
        {600, {30, 42}},                                  // too late
    };
    for (const Tap& tap : taps) {
        AdvanceVirtualClock(tap.after);
        InjectTap(tap.at);
        RunUntilIdle();
    }
    EXPECT_EQ(tapCounts, (std::vector<int>{1, 2, 1, 1, 1}));
    tapCounts.clear();
    InjectPen(PenAction::Down, {100, 100});
    InjectPen(PenAction::Move, {103, 97}); // a tremble is still resting
    RunUntilIdle();
    AdvanceVirtualClock(499);
    RunUntilIdle();
    EXPECT_EQ(tapCounts, (std::vector<int>{1}));
    AdvanceVirtualClock(1);
    RunUntilIdle();
    AdvanceVirtualClock(1000);
    RunUntilIdle(); // only once per press
    EXPECT_EQ(tapCounts, (std::vector<int>{1, -1}));
    InjectPen(PenAction::Up, {100, 100});
    RunUntilIdle();
    (void)other;
}

TEST_F(WindowTest, KeysFollowTheFocusAndAnExplicitCaptureTakesTheNextPenDown)
{
    Window* main = Recording("main");
    Window* list = Recording("list", {0, 0, 100, 100}, main);
    Window* popup = nullptr;
    {
        WindowParams params;
        params.title = "popup";
        params.role = WindowRole::Topmost;
        params.rect = {100, 200, 80, 60};
        params.proc = [this](Window& w, const Message& m) -> std::intptr_t {
            if (m.msg >= Msg::PenDown && m.msg <= Msg::PenUp)
                journal.lines.push_back(std::string("popup ") + MsgName(m.msg) + " " +
                                        std::to_string(m.pt.x) + "," + std::to_string(m.pt.y));
            return DefaultWindowProc(w, m);
        };
        popup = CreateWindow(params);
    }
    RunUntilIdle();
    EXPECT_EQ(ActiveWindow(), main); // a topmost window does not take activation
    journal.clear();
    SetFocus(list);
    InjectKeyPress('X');
    RunUntilIdle();
    Window* dialog = Recording("dialog", {0, 100, 240, 100});
    InjectKeyPress('Y'); // the focus lies outside the active window now
    RunUntilIdle();
    EXPECT_EQ(journal.lines, (Lines{"list Focus", "list KeyDown 88", "list Char 120", "list KeyUp",
                                    "dialog Create", "main Activate 0 dialog",
                                    "dialog Activate 1 main", "dialog KeyDown 89",
                                    "dialog Char 121", "dialog KeyUp"}));
    DestroyWindow(dialog);
    DestroyWindow(list);
    EXPECT_EQ(FocusWindow(), nullptr);
    journal.clear();
    SetCapture(popup);
    InjectTap({10, 40}); // outside the pop-up, over the main window
    InjectTap({10, 40}); // the capture ended with the first stroke
    RunUntilIdle();
    EXPECT_EQ(journal.lines, (Lines{"popup PenDown -90,-160", "popup PenUp -90,-160",
                                    "main PenDown 10,14", "main PenUp 10,14"}));
}

TEST_F(WindowTest, MessageBoxIsModalAndAnsweredByPenAndKeys)
{
    struct Case {
        MessageButtons buttons;
        std::function<void()> answer;
        MessageResult expected;
    };
    auto press = [](MessageResult r) { return [r] { PressMessageBoxButton(r); }; };
    const Case cases[] = {
        {MessageButtons::YesNo, press(MessageResult::Yes), MessageResult::Yes},
        {MessageButtons::YesNo, press(MessageResult::No), MessageResult::No},
        {MessageButtons::Ok, press(MessageResult::Ok), MessageResult::Ok},
        {MessageButtons::YesNo, [] { InjectKeyPress(Key::Return); }, MessageResult::Yes},
        {MessageButtons::YesNo, [] { InjectKeyPress(Key::Escape); }, MessageResult::No},
        {MessageButtons::Ok, [] { InjectKeyPress(Key::Escape); }, MessageResult::Ok},
        {MessageButtons::YesNo, [] { InjectCloseRequest(); }, MessageResult::No},
    };
    Window* main = Recording("main");
    RunUntilIdle();
    for (const Case& c : cases) {
        journal.clear();
        std::optional<MessageBoxView> seen;
        Color buttonEdge = 0;
        int hookCalls = 0;
        front.setIdleHook([&] {
            if (hookCalls++ > 0)
                return false;
            seen = FindOpenMessageBox();
            if (seen) {
                const Rect& r = seen->buttonRects.front();
                DrawContext screen(const_cast<Bitmap*>(&ComposeScreen()));
                buttonEdge = GetPixel(screen, r.x, r.y + r.height / 2);
            }
            InjectTap({2, 30}); // the main window is blocked while the box is up
            c.answer();
            return true;
        });
        MessageResult answer = ShowMessageBox(main, "Exit Zentiles?", "Confirm",
                                              MessageIcon::Question, c.buttons);
        EXPECT_EQ(answer, c.expected);
        ASSERT_TRUE(seen.has_value());
        EXPECT_EQ(seen->caption, "Confirm");
        EXPECT_EQ(seen->text, "Exit Zentiles?");
        EXPECT_EQ(seen->results.size(), c.buttons == MessageButtons::YesNo ? 2u : 1u);
        EXPECT_EQ(buttonEdge, kBlack);
        EXPECT_EQ(journal.lines, (Lines{"main Activate 0 Confirm", "main Activate 1 Confirm"}));
        EXPECT_EQ(ActiveWindow(), main);
        EXPECT_FALSE(FindOpenMessageBox().has_value());
    }
    front.setIdleHook({});
    EXPECT_EQ(front.stallCount(), 0);
}

TEST_F(WindowTest, MessageBoxShownFromAHandlerNestsInTheRunningLoop)
{
    MessageResult answer = MessageResult::Ok;
    WindowParams params;
    params.title = "Zentiles";
    params.proc = [&](Window& w, const Message& m) -> std::intptr_t {
        if (m.msg == Msg::Command && m.id == 40041) {
            answer = ShowMessageBox(&w, "Exit Zentiles?", "Confirm", MessageIcon::Question,
                                    MessageButtons::YesNo);
            if (answer == MessageResult::Yes)
                SendMessage({.window = &w, .msg = Msg::Close});
            return 0;
        }
        if (m.msg == Msg::Destroy)
            PostQuitMessage(3);
        return DefaultWindowProc(w, m);
    };
    Window* main = CreateWindow(params);
    int ticks = 0;
    SetTimer(main, 1, 1000, [&](Window*, int) { ++ticks; });
    int waits = 0;
    front.setIdleHook([&] {
        ++waits;
        if (waits == 1) {
            PostMessage({.window = main, .msg = Msg::Command, .id = 40041});
            return true;
        }
        if (waits < 5)
            return false; // let time pass with the box up: timers keep firing
        return PressMessageBoxButton(MessageResult::Yes);
    });
    EXPECT_EQ(RunMessageLoop(), 3);
    EXPECT_EQ(answer, MessageResult::Yes);
    EXPECT_GE(ticks, 2);
    EXPECT_FALSE(IsWindowAlive(main));
}

TEST_F(WindowTest, TerminationDestroysEveryWindowEvenUnderAMessageBox)
{
    Window* main = Recording("main");
    Window* palette = Recording("palette", {0, 200, 100, 50}); // no owner
    MessageResult answer = MessageResult::Ok;
    main->proc = [&, recorder = main->proc](Window& w, const Message& m) -> std::intptr_t {
        if (m.msg == Msg::User)
            answer = ShowMessageBox(&w, "Exit Zentiles?", "Confirm", MessageIcon::Question,
                                    MessageButtons::YesNo);
        return recorder(w, m);
    };
    PostMessage({.window = main, .msg = Msg::User});
    front.setIdleHook([] {
        InjectTerminate();
        return true;
    });
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(answer, MessageResult::No);
    EXPECT_TRUE(TopLevelWindows().empty());
    EXPECT_FALSE(IsWindowAlive(palette));
    auto destroyed = std::count_if(journal.lines.begin(), journal.lines.end(),
                                   [](const std::string& l) { return l.ends_with("Destroy"); });
    EXPECT_EQ(destroyed, 2);
}

TEST_F(WindowTest, ModalLoopEndsOnEndModalAndPassesQuitOn)
{
    Window* main = Recording("main");
    Window* dialog = Recording("dialog");
    dialog->owner = main;
    SetTimer(dialog, 1, 50, [&](Window* w, int) { EndModal(w, 42); });
    EXPECT_EQ(RunModalLoop(dialog), 42);
    EXPECT_EQ(ModalWindow(), nullptr);
    front.setIdleHook([] {
        PostQuitMessage(9);
        return true;
    });
    KillTimer(dialog, 1);
    EXPECT_EQ(RunModalLoop(dialog), 0);
    Message m;
    EXPECT_FALSE(GetMessage(m)); // the quit that ended the modal loop is still there
    EXPECT_EQ(m.id, 9);
    // A dialog run from a command: its owner is inactive meanwhile and active again afterwards.
    front.setIdleHook([] {
        InjectKeyPress(Key::Return);
        return true;
    });
    DestroyWindow(dialog);
    journal.clear();
    WindowParams params;
    params.title = "Settings";
    params.owner = main;
    params.proc = [&](Window& w, const Message& msg) -> std::intptr_t {
        if (msg.msg == Msg::KeyDown)
            EndModal(&w, 1);
        return DefaultWindowProc(w, msg);
    };
    EXPECT_EQ(RunDialog(params), 1);
    EXPECT_EQ(journal.lines, (Lines{"main Activate 0 Settings", "main Activate 1 Settings"}));
    EXPECT_EQ(TopLevelWindows(), (std::vector<Window*>{main}));
}

TEST_F(WindowTest, AcceleratorsTurnKeysIntoCommandsAndOtherKeysIntoCharacters)
{
    const Accelerator table[] = {
        {'A', kModCtrl, 40002}, {'C', kModNone, 40015}, {'Q', kModCtrl, 1},
        {Key::Left, kModNone, 40013},
    };
    Window* main = Recording("main");
    RunUntilIdle();
    journal.clear();
    InjectKeyPress('A', kModCtrl);
    InjectKeyPress('C');
    InjectKeyPress('Q');             // without Ctrl: a plain key
    InjectKeyPress(Key::Left);
    InjectKeyPress('W', kModShift);
    InjectKeyPress(Key::Return, kModCtrl); // ends the loop below
    main->proc = [&, recorder = main->proc](Window& w, const Message& m) -> std::intptr_t {
        if (m.msg == Msg::KeyDown && m.id == Key::Return)
            PostQuitMessage(0);
        return m.msg == Msg::KeyUp ? 0 : recorder(w, m);
    };
    EXPECT_EQ(RunMessageLoop(table), 0);
    EXPECT_EQ(journal.lines,
              (Lines{"main Command 40002", "main Command 40015", "main KeyDown 81", "main Char 113",
                     "main Command 40013", "main KeyDown 87", "main Char 87", "main KeyDown 13"}));
}

TEST_F(WindowTest, DoneButtonAndKeyboardButtonLiveInTheBars)
{
    Window* main = Recording("main");
    WindowParams params;
    params.title = "About";
    params.doneButton = true;
    params.owner = main;
    int commands = 0;
    params.proc = [&](Window& w, const Message& m) -> std::intptr_t {
        if (m.msg == Msg::Command && m.id == 1) {
            ++commands;
            EndModal(&w, 1);
        }
        return DefaultWindowProc(w, m);
    };
    Window* about = CreateWindow(params);
    front.setIdleHook([] {
        InjectTap({kScreenWidth - 17, 13});
        return true;
    });
    EXPECT_EQ(RunModalLoop(about), 1);
    EXPECT_EQ(commands, 1);
    DestroyWindow(about);
    front.setIdleHook({});

    auto barPixels = [] {
        const Bitmap& screen = ComposeScreen();
        std::vector<std::uint32_t> pixels;
        for (int y = kScreenHeight - kMenuBarHeight; y < kScreenHeight; ++y)
            for (int x = kScreenWidth - 30; x < kScreenWidth; ++x)
                pixels.push_back(screen.pixelValue(x, y));
        return pixels;
    };
    auto hidden = barPixels();
    SetInputPanelButton(true);
    EXPECT_TRUE(InputPanelButtonShown());
    EXPECT_NE(barPixels(), hidden);
    SetInputPanelButton(false);
    EXPECT_EQ(barPixels(), hidden);
}

TEST_F(WindowTest, WindowDestroyedInsideItsOwnHandlerStaysReadableUntilTheLoopWaits)
{
    std::string titleAfter;
    WindowParams params;
    params.title = "main";
    params.proc = [&](Window& w, const Message& m) -> std::intptr_t {
        if (m.msg == Msg::Close) {
            DestroyWindow(&w);
            titleAfter = w.title; // memory must still be there
            return 0;
        }
        return DefaultWindowProc(w, m);
    };
    Window* main = CreateWindow(params);
    PostMessage({.window = main, .msg = Msg::User});
    InjectCloseRequest();
    RunUntilIdle();
    EXPECT_EQ(titleAfter, "main");
    EXPECT_FALSE(IsWindowAlive(main));
    EXPECT_TRUE(TopLevelWindows().empty());
    // Creation refused by the procedure answers null and leaves nothing behind.
    params.proc = [](Window&, const Message& m) -> std::intptr_t {
        return m.msg == Msg::Create ? -1 : 0;
    };
    EXPECT_EQ(CreateWindow(params), nullptr);
    EXPECT_TRUE(TopLevelWindows().empty());
}

TEST_F(WindowTest, SecondClaimOfTheSameFolderAsksTheFirstToComeForward)
{
    testsupport::TempFolder folder;
    ASSERT_TRUE(ClaimSingleInstance(folder.folder()));
    Window* main = Recording("main");
    Recording("dialog", {0, 100, 240, 100});
    SetForegroundWindow(main);
    RunUntilIdle();
    EXPECT_EQ(front.raiseCount(), 0);
    EXPECT_FALSE(ClaimSingleInstance(folder.folder()));
    RunUntilIdle();
    EXPECT_EQ(front.raiseCount(), 1);
    EXPECT_EQ(ActiveWindow(), main);
    // Every other spelling of the folder names the same copy.
    std::string path = folder.folder(), linked = path.substr(0, path.size() - 1) + "-link";
    std::filesystem::create_directory_symlink(path, linked);
    std::string relative = std::filesystem::relative(path).string();
    for (const std::string& spelling : {path + "/", path + "./", relative, linked + "/"}) {
        EXPECT_FALSE(ClaimSingleInstance(spelling)) << spelling;
        RunUntilIdle();
    }
    std::filesystem::remove(linked);
    testsupport::TempFolder elsewhere;
    EXPECT_TRUE(ClaimSingleInstance(elsewhere.folder())); // another folder: its own copy
    EXPECT_FALSE(ClaimSingleInstance(elsewhere.folder()));
    ReleaseSingleInstance();
    EXPECT_TRUE(ClaimSingleInstance(elsewhere.folder()));
    ReleaseSingleInstance();
    EXPECT_FALSE(SingleInstanceClaimed());
}

TEST_F(WindowTest, SavedPngHoldsTheScreenPixels)
{
    WindowParams params;
    params.title = "main";
    params.background = MakeColor(10, 200, 30);
    CreateWindow(params);
    RunUntilIdle();
    testsupport::TempFolder folder;
    std::string path = folder.file("screen.png");
    const Bitmap& screen = ComposeScreen();
    ASSERT_TRUE(SavePng(screen, path));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    ASSERT_EQ(image.width, static_cast<unsigned>(kScreenWidth));
    ASSERT_EQ(image.height, static_cast<unsigned>(kScreenHeight));
    for (Point p : {Point{0, 0}, Point{5, 100}, Point{239, 319}}) {
        std::size_t at = (static_cast<std::size_t>(p.y) * kScreenWidth + p.x) * 3;
        Color c = screen.valueToColor(screen.pixelValue(p.x, p.y));
        EXPECT_EQ(MakeColor(pixels[at], pixels[at + 1], pixels[at + 2]), c);
    }
    EXPECT_EQ(screen.valueToColor(screen.pixelValue(5, 100)), MakeColor(10, 200, 30));
    EXPECT_FALSE(SavePng(screen, folder.file("missing/screen.png")));
}

} // namespace
