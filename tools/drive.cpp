// zentiles-drive: runs the real game without a display, one script line at a time, for tests
// and for people who want to reproduce a session exactly.
//
//   zentiles-drive [--dir FOLDER] SCRIPT      (SCRIPT may be - for standard input)
//
// Commands: down|move|up|tap|hold X Y, drag X1 Y1 X2 Y2, key NAME, type TEXT, pick TEXT,
// command N, wait MS, shot FILE.png, pixel X Y, state, quit, answer yes|no|ok. Pen positions
// are screen pixels (240 x 320).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/entry.h"
#include "app/shell_state.h"
#include "platform/files.h"
#include "platform/headless_front_end.h"
#include "platform/png_writer.h"
#include "platform/dialog.h"
#include "platform/popup_menu.h"
#include "platform/runtime.h"
#include "platform/single_instance.h"
#include "platform/window.h"
#include "ui/dialog_openers.h"

namespace {

struct Driver {
    std::vector<std::string> lines;
    std::size_t next = 0;
    int lineNumber = 0;
    std::string error;
    bool closing = false;
    std::uint32_t waitLeft = 0;
    struct Stroke {
        plat::Point point;
        bool up;
    };
    std::vector<Stroke> strokes; // pending pen moves of a drag, then its up
    std::string lastBox;
};

Driver TheDriver;

constexpr std::uint32_t kWaitStep = 10; // virtual ms per step, so timers fire in order

std::string ButtonsName(plat::MessageButtons buttons)
{
    return buttons == plat::MessageButtons::YesNo ? "yesno" : "ok";
}

std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

// Prints each message box once, when it first shows.
void ReportMessageBox()
{
    auto box = plat::FindOpenMessageBox();
    std::string key = box ? box->caption + '\x1f' + box->text : std::string();
    if (box && key != TheDriver.lastBox)
        std::printf("msgbox caption=%s text=%s buttons=%s\n", box->caption.c_str(),
                    Escaped(box->text).c_str(), ButtonsName(box->buttons).c_str());
    TheDriver.lastBox = key;
    std::fflush(stdout);
}

bool ParseKey(std::string name, int& key, int& mods)
{
    mods = plat::kModNone;
    for (auto [prefix, mod] : {std::pair{"ctrl+", plat::kModCtrl}, std::pair{"shift+", plat::kModShift},
                               std::pair{"alt+", plat::kModAlt}}) {
        std::string p = prefix;
        while (name.rfind(p, 0) == 0) {
            mods |= mod;
            name = name.substr(p.size());
        }
    }
    static const std::map<std::string, int> named = {
        {"left", plat::Key::Left},     {"right", plat::Key::Right},   {"up", plat::Key::Up},
        {"down", plat::Key::Down},     {"return", plat::Key::Return}, {"enter", plat::Key::Return},
        {"escape", plat::Key::Escape}, {"esc", plat::Key::Escape},    {"space", plat::Key::Space},
        {"tab", plat::Key::Tab},       {"back", plat::Key::Back},     {"delete", plat::Key::Delete},
        {"home", plat::Key::Home},     {"end", plat::Key::End},       {"f1", plat::Key::F1},
        {"f10", plat::Key::F10},
    };
    if (auto it = named.find(name); it != named.end()) {
        key = it->second;
        return true;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        key = std::toupper(static_cast<unsigned char>(name[0]));
        return true;
    }
    return false;
}

void QueueDrag(int x1, int y1, int x2, int y2)
{
    plat::InjectPen(plat::PenAction::Down, {x1, y1});
    int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    for (int i = 1; i <= steps; ++i)
        TheDriver.strokes.push_back({{x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps}, false});
    TheDriver.strokes.push_back({{x2, y2}, true});
}

bool Fail(const std::string& message)
{
    TheDriver.error = "line " + std::to_string(TheDriver.lineNumber) + ": " + message;
    return false;
}

// The rest of the line after the verb, without the one blank that separates them.
std::string RestOf(std::istringstream& in)
{
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty() && rest.front() == ' ')
        rest.erase(0, 1);
    return rest;
}

// Where the thing a script names by its text lies: an entry of the open pop-up (innermost level
// first), else a button, radio button, drop-down list (by the entry it shows) or a shown row of a
// list of the open dialog. Empty when nothing shows it.
plat::Rect FindByText(const std::string& text)
{
    std::vector<plat::PopupLevelView> levels = plat::OpenPopupMenuView();
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        for (const plat::PopupItemView& item : level->items)
            if (!item.separator && item.text == text)
                return item.rect;
    std::optional<plat::DialogView> dialog = plat::OpenDialogView();
    if (!dialog || !levels.empty())
        return {};
    for (const plat::ControlView& control : dialog->controls) {
        // An open drop-down list's entries come before the box that shows one of them.
        for (std::size_t i = 0; i < control.rows.size() && i < control.rowRects.size(); ++i)
            if (control.rows[i] == text && !control.rowRects[i].isEmpty())
                return control.rowRects[i];
        using enum plat::ControlKind;
        bool named = control.kind == Button || control.kind == DefaultButton || control.kind == Radio ||
                     control.kind == DropDown;
        if (named && control.visible && control.text == text)
            return control.rect;
    }
    return {};
}

// What a script line's handler reads its arguments from.
struct Args {
    std::istringstream in;
    std::string verb;
    // Exactly `count` whole numbers and nothing after them.
    bool ints(int count, std::vector<int>& out)
    {
        out.assign(static_cast<std::size_t>(count), 0);
        for (int& v : out)
            if (!(in >> v))
                return false;
        std::string extra;
        return !(in >> extra);
    }
};

bool PenVerb(Args& a)
{
    std::vector<int> v;
    if (!a.ints(2, v))
        return Fail(a.verb + " needs X Y");
    plat::Point p{v[0], v[1]};
    if (a.verb == "tap")
        plat::InjectTap(p);
    else if (a.verb == "hold")
        plat::InjectPen(plat::PenAction::Hold, p);
    else
        plat::InjectPen(a.verb == "down"   ? plat::PenAction::Down
                        : a.verb == "move" ? plat::PenAction::Move
                                           : plat::PenAction::Up,
                        p);
    return true;
}

bool DragVerb(Args& a)
{
    std::vector<int> v;
    if (!a.ints(4, v))
        return Fail("drag needs X1 Y1 X2 Y2");
    QueueDrag(v[0], v[1], v[2], v[3]);
    return true;
}

bool KeyVerb(Args& a)
{
    std::string name;
    int key = 0, mods = 0;
    if (!(a.in >> name) || !ParseKey(name, key, mods))
        return Fail("unknown key '" + name + "'");
    plat::InjectKeyPress(key, mods);
    return true;
}

bool TypeVerb(Args& a)
{
    plat::InjectText(RestOf(a.in));
    return true;
}

bool PickVerb(Args& a)
{
    std::string text = RestOf(a.in);
    plat::Rect r = FindByText(text);
    if (r.isEmpty())
        return Fail("nothing on the screen reads '" + text + "'");
    plat::InjectTap({r.x + r.width / 2, r.y + r.height / 2});
    return true;
}

bool CommandVerb(Args& a)
{
    std::vector<int> v;
    if (!a.ints(1, v))
        return Fail("command needs a number");
    if (MainWindow)
        plat::PostMessage({MainWindow, plat::Msg::Command, {}, v[0]});
    return true;
}

bool WaitVerb(Args& a)
{
    std::vector<int> v;
    if (!a.ints(1, v) || v[0] < 0)
        return Fail("wait needs milliseconds");
    TheDriver.waitLeft = static_cast<std::uint32_t>(v[0]);
    return true;
}

bool ShotVerb(Args& a)
{
    std::string file;
    if (!(a.in >> file))
        return Fail("shot needs a file name");
    if (!plat::SavePng(plat::ComposeScreen(), file))
        return Fail("cannot write " + file);
    return true;
}

bool PixelVerb(Args& a)
{
    std::vector<int> v;
    if (!a.ints(2, v))
        return Fail("pixel needs X Y");
    plat::DrawContext screen(const_cast<plat::Bitmap*>(&plat::ComposeScreen()));
    plat::Color c = plat::GetPixel(screen, v[0], v[1]);
    std::printf("pixel %d %d %d %d %d\n", v[0], v[1], plat::ColorRed(c), plat::ColorGreen(c),
                plat::ColorBlue(c));
    return true;
}

bool StateVerb(Args&)
{
    std::printf("%s\n", DescribeGameState().c_str());
    return true;
}

bool QuitVerb(Args&)
{
    if (MainWindow)
        plat::PostMessage({MainWindow, plat::Msg::Close});
    return true;
}

bool AnswerVerb(Args& a)
{
    std::string which;
    a.in >> which;
    if (which != "yes" && which != "no" && which != "ok")
        return Fail("answer needs yes, no or ok");
    plat::MessageResult result = which == "yes"  ? plat::MessageResult::Yes
                                 : which == "no" ? plat::MessageResult::No
                                                 : plat::MessageResult::Ok;
    if (!plat::PressMessageBoxButton(result))
        return Fail("no open message box has a '" + which + "' button");
    TheDriver.lastBox.clear(); // the next box may say the same again
    return true;
}

struct Verb {
    const char* name;
    bool (*run)(Args&);
};

constexpr Verb kVerbs[] = {
    {"down", PenVerb},       {"move", PenVerb},   {"up", PenVerb},       {"tap", PenVerb},
    {"hold", PenVerb},       {"drag", DragVerb},  {"key", KeyVerb},      {"type", TypeVerb},
    {"pick", PickVerb},      {"command", CommandVerb}, {"wait", WaitVerb}, {"shot", ShotVerb},
    {"pixel", PixelVerb},    {"state", StateVerb}, {"quit", QuitVerb},   {"answer", AnswerVerb},
};

// Executes one command; false on a script error.
bool Execute(const std::string& line)
{
    Args args{std::istringstream(line), {}};
    args.in >> args.verb;
    for (const Verb& verb : kVerbs) {
        if (args.verb == verb.name) {
            bool ok = verb.run(args);
            std::fflush(stdout);
            return ok;
        }
    }
    return Fail("unknown command '" + args.verb + "'");
}

// The idle hook: one step of the script each time the game has nothing else to do.
bool NextStep()
{
    ReportMessageBox();
    if (!TheDriver.strokes.empty()) {
        Driver::Stroke stroke = TheDriver.strokes.front();
        TheDriver.strokes.erase(TheDriver.strokes.begin());
        plat::InjectPen(stroke.up ? plat::PenAction::Up : plat::PenAction::Move, stroke.point);
        return true;
    }
    if (TheDriver.waitLeft > 0) {
        std::uint32_t step = std::min(TheDriver.waitLeft, kWaitStep);
        plat::AdvanceVirtualClock(step);
        TheDriver.waitLeft -= step;
        return true;
    }
    while (TheDriver.next < TheDriver.lines.size() && TheDriver.error.empty()) {
        std::string line = TheDriver.lines[TheDriver.next++];
        TheDriver.lineNumber = static_cast<int>(TheDriver.next);
        if (auto hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        Execute(line);
        return true;
    }
    if (!TheDriver.closing) {
        TheDriver.closing = true;
        if (MainWindow)
            plat::PostMessage({MainWindow, plat::Msg::Close});
        return true;
    }
    return false;
}

constexpr const char* kUsage =
    "usage: zentiles-drive [--dir FOLDER] SCRIPT   (SCRIPT may be - for standard input)\n"
    "Runs the game without a display, one command per script line:\n"
    "  down|move|up|tap X Y      pen events at screen pixels (240 x 320; the board starts at row 26)\n"
    "  hold X Y                  pen down and held at once (the right mouse button); up X Y ends it\n"
    "  drag X1 Y1 X2 Y2          pen down, moves one pixel at a time, pen up\n"
    "  key NAME                  a key press: ctrl+q, r, left, shift+tab, f10, return, escape, ...\n"
    "  type TEXT                 types the rest of the line into the field that has the keys\n"
    "  pick TEXT                 taps what reads TEXT: an entry of the open menu, a dialog's button,\n"
    "                            radio button, drop-down list (by its entry), a shown list row (a\n"
    "                            list view's row by its first cell)\n"
    "  command N                 command N to the main window\n"
    "  wait MS                   lets MS milliseconds of virtual time pass\n"
    "  shot FILE.png             writes the screen as PNG\n"
    "  pixel X Y                 prints the screen's colour there: pixel X Y RED GREEN BLUE\n"
    "  state                     prints the game state as one line of JSON\n"
    "  answer yes|no|ok          presses a button of the open message box\n"
    "  quit                      asks the main window to close\n"
    "FOLDER is the program folder (settings, packs, progress); default: the driver's own folder.\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}



// Reads the script's lines from a file, or standard input for "-"; false when it cannot.
bool ReadScript(const std::string& script)
{
    std::ifstream file;
    std::istream* in = &std::cin;
    if (script != "-") {
        file.open(script);
        if (!file) {
            std::fprintf(stderr, "zentiles-drive: cannot read %s\n", script.c_str());
            return false;
        }
        in = &file;
    }
    for (std::string line; std::getline(*in, line);)
        TheDriver.lines.push_back(line);
    return true;
}

// Runs the game headless with the script as its input; answers the driver's exit code.
int RunGame(std::string folder)
{
    if (folder.empty())
        folder = plat::ExecutableFolder();
    if (folder.back() != '/')
        folder += '/';
    ProgramDirectory = folder;
    // The game would quietly hand over to a running copy; a script must know it did not run.
    if (!plat::ClaimSingleInstance(folder)) {
        std::fprintf(stderr, "zentiles-drive: the game already runs for %s\n", folder.c_str());
        return 1;
    }
    plat::ReleaseSingleInstance();

    plat::HeadlessFrontEnd frontEnd;
    frontEnd.setIdleHook([] {
        bool acted = NextStep();
        if (!TheDriver.error.empty() && !TheDriver.closing) {
            TheDriver.closing = true;
            if (MainWindow)
                plat::PostMessage({MainWindow, plat::Msg::Close});
        }
        return acted;
    });
    plat::SetFrontEnd(&frontEnd);
    InstallDialogs();
    ZentilesMain();
    plat::SetFrontEnd(nullptr);
    if (!TheDriver.error.empty()) {
        std::fprintf(stderr, "zentiles-drive: %s\n", TheDriver.error.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder, script;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--dir" && i + 1 < argc)
            folder = argv[++i];
        else if (script.empty())
            script = arg;
        else
            return Usage();
    }
    if (script.empty())
        return Usage();
    if (!ReadScript(script))
        return 2;
    return RunGame(folder);
}
