#pragma once
// The program's icon: a 16 x 16 picture compiled in.

namespace zavo {

inline const char* const kZavoIcon[] = {
    "16 16 3 1",
    "  c None",
    ". c #1F3F9F",
    "o c #F0C020",
    "                ",
    " .............. ",
    " .............. ",
    "           ...  ",
    "          ...   ",
    "         ...    ",
    "        ...  oo ",
    "       ...  oooo",
    "      ...   oooo",
    "     ...     oo ",
    "    ...         ",
    "   ...          ",
    "  ...           ",
    " .............. ",
    " .............. ",
    "                ",
};

}  // namespace zavo
