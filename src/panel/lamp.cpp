#include "panel/lamp.h"

#include <QPainter>

void CLamp::Update(CSubject& subject)
{
    const int state = subject.SubjectState();
    SetStatus(state == kLampOn || state == kLamp1G ? state : kLampOff);
    Draw();
}

void CLamp::Draw()
{
    QPainter* painter = DrawingContext();
    const int status = Status();
    if (painter == nullptr || status < 0 || status >= kPictureCount)
        return;
    const std::string& file = m_strPictures[static_cast<std::size_t>(status)];
    if (file.empty())
        return;
    CDib picture;
    if (picture.Load(file))
        picture.DrawSource(*painter, Rect().topLeft(), QRect(0, 0, picture.Width(), picture.Height()));
}

void CLamp::SetPictureText(int status, std::string_view file)
{
    if (status >= 0 && status < kPictureCount)
        m_strPictures[static_cast<std::size_t>(status)] = panel::LimitPictureName(file);
}

bool CLed::LoadPicture()
{
    if (m_nLedIndex < 0 || m_nLedIndex >= kPictureCount)
        return true;
    return LoadPictureFile(m_strPictures[static_cast<std::size_t>(m_nLedIndex)]);
}

void CLed::SetLedPicture(int index, std::string_view file)
{
    if (index >= 0 && index < kPictureCount)
        m_strPictures[static_cast<std::size_t>(index)] = panel::LimitPictureName(file);
}

void CLed::SetLedIndex(int index)
{
    m_nLedIndex = index;
    LoadPicture();
}
