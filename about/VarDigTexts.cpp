#include "about/VarDigTexts.h"

namespace rotenu {

// Written as bytes so that the program does not depend on the source file's encoding:
// 82 DB 82 C4 82 DC is ぽてま, 82 6A 82 8F 82 92 is Ｋｏｒ, 81 9C is ●.
const std::string ABOUT_TEMPLATE = "%PRODUCTNAME% Ver%MFILEVERSION%.%NFILEVERSION%\r\n"
                                   "\r\n"
                                   "ProgramCode: %COMPANYNAME%\r\n"
                                   "(PSO CharacterName: Varko_\?\?\?\?\?\?)";

const std::string CREDITS_TEXT = "\x81\x9C"
                                 "ID Algorithm1: \x82\xDB\x82\xC4\x82\xDC\r\n"
                                 "\x81\x9C"
                                 "ID Algorithm2: \x82\x6A\x82\x8F\x82\x92";

const std::string WEB_PAGES_TEXT = "[VARKO  WebPage] http://varko.example.com/\r\n"
                                   "[\x82\xDB\x82\xC4\x82\xDC WebPage] http://potema.example.com/\r\n"
                                   "[\x82\x6A\x82\x8F\x82\x92 WebPage] http://kor.example.com/";

} // namespace rotenu
