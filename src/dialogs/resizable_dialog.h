#pragma once

#include "dialogs/dialog_base.h"

#include <QRect>
#include <QSize>

#include <vector>

namespace dialogs {

// A dialog with a resizing frame and a size grip that cannot shrink below its
// first size and moves or stretches the controls of its layout table.
class CResizableDialog : public CDialogBase {
    Q_OBJECT
public:
    enum Mode : int {
        MoveX = 0,    // move right by percent of the width change
        MoveY = 1,    // move down by percent of the height change
        MoveXY = 2,
        GrowX = 3,    // widen by percent of the width change
        GrowY = 4,
        GrowXY = 5,
    };
    struct LayoutEntry {
        QWidget* control;
        Mode mode;
        int percent; // 0..100
    };

    // Where a control goes for a size change `delta`, from its place `original`.
    static QRect place(const QRect& original, Mode mode, int percent, QSize delta);

protected:
    explicit CResizableDialog(QWidget* parent = nullptr);
    // Controls are placed by geometry; add them before the dialog is shown.
    void setLayoutTable(std::vector<LayoutEntry> table);

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed {
        LayoutEntry entry;
        QRect original;
    };
    std::vector<LayoutEntry> m_table;
    std::vector<Placed> m_placed;
    QSize m_firstSize;
};

} // namespace dialogs
