#pragma once
// The fields of the program's two archive files as data: each file format is one table of
// application members in file order, and its reader, its writer, quenk-cli's `--set` and
// dump and the settings dialog all walk that table. A member's type is its form in the
// archive:
//
//   std::string                text: length prefix and single-byte characters
//   double                     8 bytes, IEEE 754
//   std::int32_t, uint32_t     4 bytes (the unsigned ones are colour values)
//   std::uint8_t               flag byte; on reading any non-zero byte is 1
//   std::vector<int32/uint32>  count, then 4 bytes per entry
//   std::vector<double>        count, then 8 bytes per entry
//   std::vector<CWerkzeug>     object list of 48-byte tool records with class tags

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "model/quenk_app.h"

struct ValueRange;

using AppMember =
    std::variant<std::string CQuenkApp::*, double CQuenkApp::*, std::int32_t CQuenkApp::*, std::uint32_t CQuenkApp::*,
                 std::uint8_t CQuenkApp::*, std::vector<std::int32_t> CQuenkApp::*,
                 std::vector<std::uint32_t> CQuenkApp::*, std::vector<double> CQuenkApp::*,
                 std::vector<CWerkzeug> CQuenkApp::*>;

// How the settings dialog shows a field.
enum class DialogControl : std::uint8_t { Number, RadioPair, CheckBox };

struct DialogChoice {
    const char* text;
    int value;
};

// A field's place in the settings dialog; label nullptr: the dialog does not show it.
struct DialogField {
    const char* label = nullptr;
    const char* unit = "";        // text behind the field
    const char* group = "";       // the group box it stands in, "" for none
    const char* heading = "";     // a line of its own above the field, "" for none
    const char* title = "";       // the field's name in the range message
    const ValueRange* range = nullptr;  // nullptr: any finite number
    DialogControl control = DialogControl::Number;
    DialogChoice choices[2] = {};  // the radio buttons, in their order on screen
};

struct FileField {
    const char* name;  // the member's name: the dump's key and `--set`'s name
    AppMember member;
    // Settings file: the oldest version that holds the field (0 "4.0" … 3 "4.6"). The
    // job file has one version only.
    std::uint8_t since = 0;
    DialogField dialog = {};
};

// The member and its name from one token, so that the two never disagree.
#define QUENK_MEMBER(member) #member, &CQuenkApp::member

class ArchiveReader;
class ArchiveWriter;

// Reading and writing one field in its form above. A tool list is appended to, so that the
// tools read before damage are kept; every other member is replaced.
void WriteField(ArchiveWriter& ar, const CQuenkApp& app, const AppMember& member);
void ReadField(ArchiveReader& ar, CQuenkApp& app, const AppMember& member);

// Whether the member is a table (a vector of any kind).
bool IsTable(const AppMember& member);
// Moves one member's value from one application state into another.
void MoveField(CQuenkApp& to, CQuenkApp& from, const AppMember& member);
