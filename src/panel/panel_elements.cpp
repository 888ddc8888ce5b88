#include "panel/panel_elements.h"

#include "panel/panel_window.h"
#include "panel/port.h"

void CDevModule::TrackCursor(QPoint point)
{
    for (std::size_t i = 0; i < ChildCount(); ++i)
        ChildAt(i)->TrackCursor(point);
}

void CDevModule::OnClick(QPoint point)
{
    int place = 0;
    for (std::size_t i = 0; i < ChildCount(); ++i) {
        CPanelElement* child = ChildAt(i);
        if (auto* port = dynamic_cast<CPort*>(child))
            port->SetBroadcastValue(++place);
        child->OnClick(point);
    }
}

void CCom::TrackCursor(QPoint point)
{
    TrackCursorAs(point, panel::CursorShape::Port);
}

bool CCom::LoadPicture()
{
    NotifyAll(Status());
    return true;
}

void CCom::OnClick(QPoint point)
{
    if (Window() != nullptr && HitTest(point))
        Window()->OnSocketClicked();
}

bool CPowerUnit::LoadPicture()
{
    NotifyAll(Status());
    return true;
}
