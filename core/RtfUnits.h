#pragma once
// The units field keeps its text as name markup ("\b" subscript follows,
// "\t" superscript follows, "\n" normal again, "\u" + decimal digits a
// Unicode character, "\'" + two hex digits a Windows-1251 character) and
// shows it as rich text.
#include <string>
#include <string_view>

namespace vormid {

// The rich text the units field shows for a markup: normal text Tahoma 8
// points, raised and lowered text Tahoma 10 points.
std::string UnitsToRtf(std::string_view markup);

// The markup of the first paragraph of a rich text. Only whole control
// words count: "\ul", "\ulnone" and "\uc1" are not "\u", "\pardeftab" is
// not "\pard". White space is dropped. Never throws.
std::string RtfToUnits(std::string_view rtf);

// True when two markups show the same characters with the same raising and
// lowering: markers that change nothing, a final "\n" and the way a
// character is written (byte, "\'hh" or "\uN") make no difference.
bool UnitsEquivalent(std::string_view a, std::string_view b);

}  // namespace vormid
