#pragma once

// The texts of the variable view and the debug panel (CP932).

namespace game {

// "Ev%d CommonEv%d %d行"
constexpr const char* kViewPointFormat = "Ev%d CommonEv%d %d\x8d\x73";

// "■通常変数-----"
constexpr const char* kViewVariablesHeading = "\x81\xa1\x92\xca\x8f\xed\x95\xcf\x90\x94-----";
// "■V%d-%.2i:%5d(%s)"
constexpr const char* kViewVariableFormat = "\x81\xa1V%d-%.2i:%5d(%s)";

// "■文字列変数---"
constexpr const char* kViewStringsHeading = "\x81\xa1\x95\xb6\x8e\x9a\x97\xf1\x95\xcf\x90\x94---";
// "●S%.2i:%s(%s)"
constexpr const char* kViewStringFormat = "\x81\x9cS%.2i:%s(%s)";

// "■ｼｽﾃﾑ変数-----"
constexpr const char* kViewSystemVariablesHeading = "\x81\xa1\xbc\xbd\xc3\xd1\x95\xcf\x90\x94-----";
// "★Sys%.2i:%5d(%s)"
constexpr const char* kViewSystemVariableFormat = "\x81\x9aSys%.2i:%5d(%s)";

// "■ｼｽﾃﾑ文字列(読み取り専用)---"
constexpr const char* kViewSystemStringsHeading =
    "\x81\xa1\xbc\xbd\xc3\xd1\x95\xb6\x8e\x9a\x97\xf1(\x93\xc7\x82\xdd\x8e\xe6\x82\xe8\x90\xea"
    "\x97\x70)---";
// "※SysS%.2i:%s(%s)"
constexpr const char* kViewSystemStringFormat = "\x81\xa6SysS%.2i:%s(%s)";

// "[読込スプライト]"
constexpr const char* kPanelSpritesHeading =
    "[\x93\xc7\x8d\x9e\x83\x58\x83\x76\x83\x89\x83\x43\x83\x67]";
// "[実行中並列コモン]"
constexpr const char* kPanelParallelHeading =
    "[\x8e\xc0\x8d\x73\x92\x86\x95\xc0\x97\xf1\x83\x52\x83\x82\x83\x93]";

}  // namespace game
