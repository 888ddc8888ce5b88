#pragma once

#include "panel/panel_element.h"

#include <array>

namespace panel {
class PanelWindow;
// Port status numbers, also the index of the port's picture.
enum PortStatus { kPortLink100 = 0, kPortLink10 = 1, kPortDisabled = 2, kPortEnabled = 3, kPortEmpty = 4 };
inline constexpr int kPortPictureCount = 5;
} // namespace panel

class CPort : public CPanelElement, public CSubject {
public:
    const char* ClassName() const override { return "CPort"; }
    void TrackCursor(QPoint point) override;
    bool LoadPicture() override;
    void OnClick(QPoint point) override;

    // Stores the status, updates the lamps and the picture; with a window,
    // that window repaints the port. Nothing happens when the status stays.
    void SetStatus(int status, panel::PanelWindow* window = nullptr);

    void SetPortPicture(int status, std::string_view file);
    const std::string& PortPicture(int status) const;

    void SetBroadcastValue(int value) { m_nBroadcastValue = value; }
    int BroadcastValue() const { return m_nBroadcastValue; }

private:
    std::array<std::string, panel::kPortPictureCount> m_strPictures;
    int m_nBroadcastValue = 0;
};
