#pragma once

#include "panel/panel_element.h"

// The root of the tree; the main window holds it. Only its direct children
// are drawn, hit-tested and clicked.
class CDevModule : public CPanelElement, public CSubject {
public:
    const char* ClassName() const override { return "CDevModule"; }
    void TrackCursor(QPoint point) override;
    bool LoadPicture() override { return true; }
    void Draw() override {}
    // Tells each port its place among the root's ports before passing the click on.
    void OnClick(QPoint point) override;
};

class CPanel : public CPanelElement, public CSubject {
public:
    const char* ClassName() const override { return "CPanel"; }
};

// Console, master, redundant power and fan sockets.
class CCom : public CPanelElement, public CSubject {
public:
    const char* ClassName() const override { return "CCom"; }
    void TrackCursor(QPoint point) override;
    bool LoadPicture() override;
    void OnClick(QPoint point) override;
};

// Keeps the base class name at run time: code asking for "CCom" must not find it.
class CPowerUnit : public CPanelElement, public CSubject {
public:
    bool LoadPicture() override;
};

class CSlot : public CPanelElement {
public:
    const char* ClassName() const override { return "CSlot"; }
};

class CModule : public CPanelElement, public CSubject {
public:
    const char* ClassName() const override { return "CModule"; }
};
