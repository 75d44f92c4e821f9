// Accelerator table 3. C, R, W and the arrows name commands nobody handles; they stay in the table
// so that those keys do nothing, as players of the handheld knew them.
#include "resources/accelerators.h"

namespace {

constexpr plat::Accelerator kTable3[] = {
    {'A', plat::kModCtrl, 40002}, // About
    {'C', plat::kModNone, 40015},
    {'Q', plat::kModCtrl, 1},     // close at once
    {'R', plat::kModNone, 40010},
    {plat::Key::Left, plat::kModNone, 40013},
    {plat::Key::Right, plat::kModNone, 40014},
    {'W', plat::kModNone, 40012},
};

} // namespace

std::span<const plat::Accelerator> MainAccelerators()
{
    return kTable3;
}
