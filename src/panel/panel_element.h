#pragma once

#include "panel/dib.h"

#include <QPoint>
#include <QRect>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace panel {

// QRect keeps right = left + width - 1 (and the bottom alike) in an int; a
// description file may give any int, so lengths end at the int range.
QRect BoundedRect(int left, int top, int width, int height);
class PanelWindow;
enum class CursorShape;
// Picture file names keep at most this many characters.
inline constexpr std::size_t kMaxPictureName = 99;
std::string LimitPictureName(std::string_view name);
} // namespace panel

class CSubject;

// Lamps watch their port (or socket) and follow its state.
class CObserver {
public:
    virtual ~CObserver() = default;
    virtual void Update(CSubject& subject) = 0;
};

class CSubject {
public:
    void Attach(CObserver* observer) { m_observers.push_back(observer); }
    int SubjectState() const { return m_nSubjectState; }
    void SetSubjectState(int state) { m_nSubjectState = state; }
    const std::vector<CObserver*>& Observers() const { return m_observers; }

protected:
    ~CSubject() = default;
    // Sockets and power units: every lamp shows the same state.
    void NotifyAll(int state);

private:
    std::vector<CObserver*> m_observers; // not owned: they are our children
    int m_nSubjectState = 0;
};

// One element of the front panel. Rectangles are in panel-picture pixels;
// hit tests scale them to the window's current client area.
class CPanelElement {
public:
    CPanelElement() = default;
    CPanelElement(const CPanelElement&) = delete;
    CPanelElement& operator=(const CPanelElement&) = delete;
    virtual ~CPanelElement() = default;

    virtual const char* ClassName() const { return "CPanelElement"; }
    virtual void TrackCursor(QPoint point);
    virtual void SetType(int) {}
    virtual bool LoadPicture();
    virtual void Draw();
    virtual void OnClick(QPoint) {}

    void SetID(std::string id) { m_strID = std::move(id); }
    const std::string& ID() const { return m_strID; }
    void SetName(std::string name) { m_strName = std::move(name); }
    const std::string& Name() const { return m_strName; }

    void SetRect(int left, int top, int width, int height);
    QRect Rect() const { return panel::BoundedRect(m_nLeft, m_nTop, m_nWidth, m_nHeight); }
    // The rectangle scaled from the reference size to the current client area.
    QRect ScaledRect() const;
    // Inside the scaled rectangle shrunk by 2 pixels on each side.
    bool HitTest(QPoint point) const;

    void SetPictureFile(std::string_view file) { m_strPictureFile = panel::LimitPictureName(file); }
    const std::string& PictureFile() const { return m_strPictureFile; }
    const CDib& Picture() const { return m_picture; }

    void SetStatus(int status);
    int Status() const { return m_nStatus; }
    bool IsDirty() const { return m_bDirty; }

    CPanelElement* AddChild(std::unique_ptr<CPanelElement> child);
    std::size_t ChildCount() const { return m_children.size(); }
    CPanelElement* ChildAt(std::size_t index) const;
    CPanelElement* FindChild(std::string_view className, std::string_view id) const;
    CPanelElement* FindNthChild(std::string_view className, int n) const;

    void AttachToWindow(panel::PanelWindow* window);
    void SetDrawingContext(QPainter* painter);
    void DrawChildren();
    void DrawDirtyChildren();
    void Invalidate();

protected:
    bool LoadPictureFile(const std::string& file);
    // Sets that cursor when the point is inside; the base sets the arrow.
    void TrackCursorAs(QPoint point, panel::CursorShape shape);
    QPainter* DrawingContext() const { return m_pDC; }
    panel::PanelWindow* Window() const { return m_pWindow; }
    void MarkDrawn() { m_bDirty = false; }

private:
    std::vector<std::unique_ptr<CPanelElement>> m_children;
    std::string m_strID;
    std::string m_strName = "VirtualDev";
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nRefWidth = 0;
    int m_nRefHeight = 0;
    int m_nStatus = 0;
    bool m_bDirty = true;
    QPainter* m_pDC = nullptr;
    panel::PanelWindow* m_pWindow = nullptr;
    std::string m_strPictureFile;
    CDib m_picture;
};

namespace panel {

// Gives the tree a painter for the lifetime of one paint and takes it back,
// so no element keeps a painter that has gone.
class DrawingContextScope {
public:
    DrawingContextScope(CPanelElement& root, QPainter& painter) : m_root(root)
    {
        m_root.SetDrawingContext(&painter);
    }
    ~DrawingContextScope() { m_root.SetDrawingContext(nullptr); }
    DrawingContextScope(const DrawingContextScope&) = delete;
    DrawingContextScope& operator=(const DrawingContextScope&) = delete;

private:
    CPanelElement& m_root;
};

} // namespace panel
