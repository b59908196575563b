#pragma once
// The G-code program of the milling job: the generator that writes the program text to a
// stream, and the two entry points that choose the file and replace it only when the
// program is complete.

#include <cstdint>
#include <ostream>
#include <initializer_list>
#include <string>
#include <string_view>

#include "output/gcode_dialect.h"
#include "output/texts.h"

class CQuenkApp;

// How a run ended, and so what becomes of the file. Every stop drops the file: a program
// without its end is no program, and keeping it would replace the user's earlier one.
enum class GCodeResult {
    Complete,     // the whole program with "M30": the file replaces the target
    StoppedDrop,  // stopped by a question, a value out of range or a fault
};

// What differs between the command and the machine hand-off, and the controller's dialect.
struct GCodeVariant {
    std::string programName;  // the text after "%" (a comment in the other dialects)
    bool writeFeed = false;   // an "F" line after each tool change (WinPC-NC's words only)
    GCodeDialect dialect = GCodeDialect::WinPcNc;
};

// Sets m_pathMinX .. m_pathMaxY to the extent of every point of every milling path.
void ComputePathExtents(CQuenkApp& app);

// What a run will meet before it writes anything: whether it reaches a contour that needs
// more than one pass before any stop, and so asks the pass question once, with that
// contour's pass count.
struct GCodePlan {
    int passQuestion = 0;  // the passes to ask about; 0: the run asks nothing
};

// How a run ended, with the message of a stop (empty when the run has none to show).
struct GCodeOutcome {
    GCodeResult result = GCodeResult::Complete;
    std::string message;
};

// One run of the program text. Reads the job, never changes it, and shows nothing: Plan
// tells whether the pass question is due, Run writes and returns the stop's message. Lines
// end with CR LF; text is written in Windows-1252 and made safe for a comment (ProgramText).
// Values outside their dialog's range stop the run before anything is written.
class CGCodeGenerator {
public:
    CGCodeGenerator(const CQuenkApp& app, std::ostream& out, GCodeVariant variant);
    GCodePlan Plan() const;
    // passesConfirmed: the pass question was answered OK. Without it, a contour of several
    // passes stops the run without a message.
    GCodeOutcome Run(bool passesConfirmed);

private:
    const CQuenkApp& m_app;
    std::ostream& m_out;
    GCodeVariant m_variant;
};

// The run as the commands do it: plans, asks the pass question once when the plan has one
// ("3 Durchgänge", OK or Cancel), writes, and shows the message of a stop.
GCodeResult WriteProgram(const CQuenkApp& app, std::ostream& out, const GCodeVariant& variant);

// Milling to the full material thickness with no thickness cannot be meant: says so, true.
bool ThicknessMissing(const CQuenkApp& app);

// The command "G-CODE": asks for the file and writes the program there in the dialect. True
// when a program file was put in place; every reason for not writing one has been shown to
// the user.
bool OnGCode(CQuenkApp& app, GCodeDialect dialect = GCodeDialect::WinPcNc);
// The machine hand-off: writes the program for WinPC-NC to path, replacing any file there;
// the result as for OnGCode.
bool WriteGCode(CQuenkApp& app, const std::string& path);

// Joins pieces of one line. Built by appending: GCC's -O3 flags "a" + b + "c" on std::string
// with a false overlap warning.
inline std::string JoinText(std::initializer_list<std::string_view> parts) {
    std::string s;
    for (std::string_view p : parts) s.append(p);
    return s;
}
