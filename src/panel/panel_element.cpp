#include "panel/panel_element.h"

#include "panel/panel_window.h"

#include <QPainter>

#include <algorithm>
#include <climits>

namespace panel {

std::string LimitPictureName(std::string_view name)
{
    return std::string(name.substr(0, kMaxPictureName));
}

namespace {

// Keeps origin + length - 1, origin + length and length - 1 within int.
int BoundedLength(int origin, int length)
{
    const long long lowest = std::max<long long>(INT_MIN + 1LL, static_cast<long long>(INT_MIN) - origin + 1);
    const long long highest = std::min<long long>(INT_MAX, static_cast<long long>(INT_MAX) - origin);
    return static_cast<int>(std::clamp<long long>(length, lowest, highest));
}

} // namespace

QRect BoundedRect(int left, int top, int width, int height)
{
    return QRect(left, top, BoundedLength(left, width), BoundedLength(top, height));
}

} // namespace panel

void CSubject::NotifyAll(int state)
{
    m_nSubjectState = state;
    for (CObserver* observer : m_observers)
        observer->Update(*this);
}

void CPanelElement::SetRect(int left, int top, int width, int height)
{
    m_nLeft = left;
    m_nTop = top;
    m_nWidth = width;
    m_nHeight = height;
}

QRect CPanelElement::ScaledRect() const
{
    if (m_pWindow == nullptr || m_nRefWidth <= 0 || m_nRefHeight <= 0)
        return Rect();
    const QRect client = m_pWindow->PanelClientRect();
    // 64-bit so that large panels cannot overflow the products.
    const auto scaleX = [&](int v) {
        return static_cast<int>(static_cast<long long>(v) * client.width() / m_nRefWidth);
    };
    const auto scaleY = [&](int v) {
        return static_cast<int>(static_cast<long long>(v) * client.height() / m_nRefHeight);
    };
    return panel::BoundedRect(scaleX(m_nLeft), scaleY(m_nTop), scaleX(m_nWidth), scaleY(m_nHeight));
}

bool CPanelElement::HitTest(QPoint point) const
{
    const QRect r = ScaledRect();
    // QRect::right() is left + width - 1; the edge here is left + width.
    // 64-bit: a rectangle at the end of the int range has no room for the margins.
    const long long left = r.left(), top = r.top();
    const long long right = left + r.width();
    const long long bottom = top + r.height();
    return point.x() > left + 2 && point.x() < right - 2 && point.y() > top + 2 && point.y() < bottom - 2;
}

void CPanelElement::TrackCursor(QPoint point)
{
    TrackCursorAs(point, panel::CursorShape::Arrow);
}

void CPanelElement::TrackCursorAs(QPoint point, panel::CursorShape shape)
{
    if (m_pWindow != nullptr && HitTest(point))
        m_pWindow->SetPanelCursor(shape);
}

bool CPanelElement::LoadPictureFile(const std::string& file)
{
    return m_picture.Load(file);
}

bool CPanelElement::LoadPicture()
{
    return LoadPictureFile(m_strPictureFile);
}

void CPanelElement::Draw()
{
    if (m_pDC == nullptr)
        return;
    const QRect r = Rect();
    m_picture.DrawStretched(*m_pDC, r.x(), r.y(), r.width(), r.height());
}

void CPanelElement::SetStatus(int status)
{
    if (status == m_nStatus)
        return;
    m_nStatus = status;
    m_bDirty = true;
}

CPanelElement* CPanelElement::AddChild(std::unique_ptr<CPanelElement> child)
{
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

CPanelElement* CPanelElement::ChildAt(std::size_t index) const
{
    return index < m_children.size() ? m_children[index].get() : nullptr;
}

CPanelElement* CPanelElement::FindChild(std::string_view className, std::string_view id) const
{
    for (const auto& child : m_children) {
        if (className == child->ClassName() && child->ID() == id)
            return child.get();
    }
    return nullptr;
}

CPanelElement* CPanelElement::FindNthChild(std::string_view className, int n) const
{
    if (n < 0)
        return nullptr;
    for (const auto& child : m_children) {
        if (className == child->ClassName() && n-- == 0)
            return child.get();
    }
    return nullptr;
}

void CPanelElement::AttachToWindow(panel::PanelWindow* window)
{
    m_pWindow = window;
    if (window != nullptr) {
        const QRect client = window->PanelClientRect();
        m_nRefWidth = client.width();
        m_nRefHeight = client.height();
    }
    for (const auto& child : m_children)
        child->AttachToWindow(window);
}

void CPanelElement::SetDrawingContext(QPainter* painter)
{
    m_pDC = painter;
    for (const auto& child : m_children)
        child->SetDrawingContext(painter);
}

void CPanelElement::DrawChildren()
{
    for (const auto& child : m_children) {
        child->Draw();
        child->MarkDrawn();
    }
}

void CPanelElement::DrawDirtyChildren()
{
    for (const auto& child : m_children) {
        if (child->IsDirty()) {
            child->Draw();
            child->MarkDrawn();
        }
        child->DrawDirtyChildren();
    }
}

void CPanelElement::Invalidate()
{
    if (m_pWindow != nullptr)
        m_pWindow->InvalidatePanelRect(ScaledRect());
}
