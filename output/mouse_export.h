#pragma once
// "RK Export mit Mouse": the operator clicks corrected chains one by one; each click appends
// the chain's paths to a plotter file and a contour to the milling list, so the clicks fix
// the milling order. The view owns one of these and hands it the chain under the mouse;
// quenk-cli drives the same object with chain addresses.
//
// The file is kept in memory and put in place whole after every change, so a failed write
// never leaves a damaged file behind; the length before each click is the length of that text.

#include <cstdint>
#include <string>
#include <vector>

#include "model/mouse_modes.h"

class CQuenkApp;
class CQuenkDoc;
class CVector;

struct ExportClick {
    CVector* chain;            // not owned
    std::uint64_t fileLength;  // of the text before the click
};

class CMouseExport {
public:
    CMouseExport(CQuenkApp& app, CQuenkDoc& doc) : m_app(app), m_doc(doc) {}

    // The command: starts the export, or finishes it while its mouse mode is on.
    void OnMouseExport();
    // Asks for the file, writes the header and enters the mouse mode; false when the user
    // cancelled or the file could not be created.
    bool Start();
    // Enters the mouse mode without a plotter file: the clicks only fix the milling order.
    void StartWithoutFile();
    // A click on chain: RecordExportClick and ExportClickedChain. A chain that can give no
    // milling contour (no path left to take, or a tool the machine does not have) is ignored;
    // the answer says whether the click was taken.
    bool Click(CVector& chain);
    // Clicks on every chain in turn and puts the file in place once: the file is rewritten
    // whole on every store, which a person's clicks never notice but a thousand chains would.
    // Answers how many clicks were taken.
    std::size_t ClickAll(const std::vector<CVector*>& chains);
    // "Einen Schritt zurück".
    void StepBackExport();
    bool CanStepBack() const { return !m_exportClicks.empty(); }
    // Ends the mode: the trailer, or the file deleted when nothing was clicked.
    void FinishMouseExport();

    bool IsActive() const;
    const std::string& Text() const { return m_text; }

    std::string m_exportPath;  // empty: no plotter file
    std::int32_t m_exportLastTool = -1;
    std::vector<ExportClick> m_exportClicks;
    std::uint8_t m_exportedAny = 0;

private:
    void ResetClicks();
    // Puts m_text in place; false (and "File Error!!" shown) when it could not be written.
    bool Store();

    CQuenkApp& m_app;
    CQuenkDoc& m_doc;
    std::string m_text;
    bool m_holdStore = false;  // while ClickAll runs
};
