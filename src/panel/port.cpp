#include "panel/port.h"

#include "panel/lamp.h"
#include "panel/panel_window.h"

namespace {

// The subject state a lamp of this type shows for a port status.
int LampStateFor(int portStatus, int lampType)
{
    const bool linkLamp = lampType == CLamp::kLink || lampType == CLamp::kS100M;
    if (linkLamp && (portStatus == panel::kPortLink100 || portStatus == panel::kPortLink10))
        return portStatus;
    return 2;
}

} // namespace

void CPort::TrackCursor(QPoint point)
{
    TrackCursorAs(point, panel::CursorShape::Port);
}

bool CPort::LoadPicture()
{
    const bool loaded = LoadPictureFile(PortPicture(Status()));
    if (loaded)
        SetSubjectState(Status());
    return loaded;
}

void CPort::OnClick(QPoint point)
{
    if (Window() != nullptr && HitTest(point))
        Window()->OnPortClicked(m_nBroadcastValue);
}

void CPort::SetStatus(int status, panel::PanelWindow* window)
{
    if (status == Status())
        return;
    CPanelElement::SetStatus(status);
    for (CObserver* observer : Observers()) {
        // Only lamps are ever registered with a port.
        const auto* lamp = dynamic_cast<const CLamp*>(observer);
        SetSubjectState(LampStateFor(status, lamp != nullptr ? lamp->Type() : -1));
        observer->Update(*this);
    }
    LoadPicture();
    if (window != nullptr)
        window->InvalidatePanelRect(Rect());
}

void CPort::SetPortPicture(int status, std::string_view file)
{
    if (status >= 0 && status < panel::kPortPictureCount)
        m_strPictures[static_cast<std::size_t>(status)] = panel::LimitPictureName(file);
}

const std::string& CPort::PortPicture(int status) const
{
    static const std::string none;
    if (status < 0 || status >= panel::kPortPictureCount)
        return none;
    return m_strPictures[static_cast<std::size_t>(status)];
}
