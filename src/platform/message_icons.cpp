// The three message box icons: a red disc with a cross (error), blue discs with a question mark
// and with an "i" (question, information). K black, W white, R red, B blue.
#include "platform/message_icons.h"

namespace plat {

namespace {

constexpr const char* kErrorArt[kMessageIconSide] = {
    ".....KKKKKK.....",
    "...KKRRRRRRKK...",
    "..KRRRRRRRRRRK..",
    ".KRRRRRRRRRRRRK.",
    ".KRRWWRRRRWWRRK.",
    "KRRRWWWRRWWWRRRK",
    "KRRRRWWWWWWRRRRK",
    "KRRRRRWWWWRRRRRK",
    "KRRRRRWWWWRRRRRK",
    "KRRRRWWWWWWRRRRK",
    "KRRRWWWRRWWWRRRK",
    ".KRRWWRRRRWWRRK.",
    ".KRRRRRRRRRRRRK.",
    "..KRRRRRRRRRRK..",
    "...KKRRRRRRKK...",
    ".....KKKKKK.....",
};

constexpr const char* kQuestionArt[kMessageIconSide] = {
    ".....KKKKKK.....",
    "...KKBBBBBBKK...",
    "..KBBBWWWWBBBK..",
    ".KBBBWWBBWWBBBK.",
    ".KBBBWWBBWWBBBK.",
    "KBBBBBBBBWWBBBBK",
    "KBBBBBBBWWBBBBBK",
    "KBBBBBBWWBBBBBBK",
    "KBBBBBBWWBBBBBBK",
    "KBBBBBBWWBBBBBBK",
    "KBBBBBBBBBBBBBBK",
    ".KBBBBBWWBBBBBK.",
    ".KBBBBBWWBBBBBK.",
    "..KBBBBBBBBBBK..",
    "...KKBBBBBBKK...",
    ".....KKKKKK.....",
};

constexpr const char* kInformationArt[kMessageIconSide] = {
    ".....KKKKKK.....",
    "...KKBBBBBBKK...",
    "..KBBBBWWBBBBK..",
    ".KBBBBBWWBBBBBK.",
    ".KBBBBBBBBBBBBK.",
    "KBBBBBWWWBBBBBBK",
    "KBBBBBBWWBBBBBBK",
    "KBBBBBBWWBBBBBBK",
    "KBBBBBBWWBBBBBBK",
    "KBBBBBBWWBBBBBBK",
    "KBBBBBBWWBBBBBBK",
    ".KBBBBWWWWBBBBK.",
    ".KBBBBBBBBBBBBK.",
    "..KBBBBBBBBBBK..",
    "...KKBBBBBBKK...",
    ".....KKKKKK.....",
};

} // namespace

std::span<const char* const> MessageIconArt(plat::MessageIcon icon)
{
    switch (icon) {
    case plat::MessageIcon::Error:
        return kErrorArt;
    case plat::MessageIcon::Question:
        return kQuestionArt;
    case plat::MessageIcon::Information:
        return kInformationArt;
    case plat::MessageIcon::None:
        break;
    }
    return {};
}

plat::Color MessageIconColor(char letter)
{
    switch (letter) {
    case 'W':
        return plat::kWhite;
    case 'R':
        return plat::MakeColor(204, 0, 0);
    case 'B':
        return plat::MakeColor(0, 70, 200);
    default:
        return plat::kBlack;
    }
}

} // namespace plat
