#pragma once
// What a command handler works on: the frame, the application state and the active drawing
// window (none while no document is open).

class CMainFrame;
class CQuenkApp;
class CQuenkDoc;
class CQuenkView;
class DrawingWindow;

struct CommandContext {
    CMainFrame& frame;
    CQuenkApp& app;
    DrawingWindow* window;

    CQuenkDoc* Doc() const;
    CQuenkView* View() const;
};
