#pragma once

#include "panel/panel_element.h"

#include <array>

// A port's or socket's indicator. Its pictures are set in code only; lamps
// made from the panel file have none and draw nothing.
class CLamp : public CPanelElement, public CObserver {
public:
    enum Type { kLink = 0, kS100M = 1, kPower = 2, kConsole = 3 };
    enum LampStatus { kLampOn = 0, kLamp1G = 1, kLampOff = 2 };
    static constexpr int kPictureCount = 4;

    CLamp() { SetName("Lamp"); }
    const char* ClassName() const override { return "CLamp"; }
    void SetType(int type) override { m_nType = type; }
    bool LoadPicture() override { return true; }
    void Draw() override;
    void Update(CSubject& subject) override;

    int Type() const { return m_nType; }
    void SetPictureText(int status, std::string_view file);

private:
    int m_nType = kLink;
    std::array<std::string, kPictureCount> m_strPictures;
};

class CLed : public CPanelElement {
public:
    static constexpr int kPictureCount = 10;

    CLed() { SetName("Led"); }
    const char* ClassName() const override { return "CLed"; }
    bool LoadPicture() override;

    void SetLedPicture(int index, std::string_view file);
    void SetLedIndex(int index);
    int LedIndex() const { return m_nLedIndex; }

private:
    std::array<std::string, kPictureCount> m_strPictures;
    int m_nLedIndex = 0;
};
