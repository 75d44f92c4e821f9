// Accelerator table 3. The handheld's table gave C, R, W and the two arrows commands that nothing
// handled; on the desktop they and the rest of the keyboard play the selected tile.
#include "resources/accelerators.h"

#include "resources/command_ids.h"

namespace {

constexpr plat::Accelerator kTable3[] = {
    {'A', plat::kModCtrl, kCommandAbout},
    {'C', plat::kModNone, kCommandKeyC},                // clear the centre
    {'Q', plat::kModCtrl, kCommandCloseAtOnce},
    {'R', plat::kModNone, kCommandKeyR},                // turn clockwise
    {plat::Key::Left, plat::kModNone, kCommandKeyLeft}, // one grid step
    {plat::Key::Right, plat::kModNone, kCommandKeyRight},
    {'W', plat::kModNone, kCommandKeyW},                // turn counter-clockwise
    {plat::Key::Up, plat::kModNone, kCommandKeyUp},
    {plat::Key::Down, plat::kModNone, kCommandKeyDown},
    {plat::Key::Tab, plat::kModNone, kCommandNextTile},
    {plat::Key::Tab, plat::kModShift, kCommandPreviousTile},
    {'M', plat::kModNone, kCommandMirror},
    {'F', plat::kModNone, kCommandFlip},
};

} // namespace

std::span<const plat::Accelerator> MainAccelerators()
{
    return kTable3;
}
