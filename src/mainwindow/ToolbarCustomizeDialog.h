#pragma once
// Customize Toolbar: which of the toolbar's buttons are shown. The choice holds for this
// session only; nothing is stored.

#include <QDialog>
#include <QStringList>
#include <vector>

class QListWidget;

class ToolbarCustomizeDialog : public QDialog
{
public:
    // keys in toolbar order; shown[i] tells whether keys[i] is shown now.
    ToolbarCustomizeDialog(const QStringList& keys, const std::vector<bool>& shown, QWidget* parent = nullptr);

    std::vector<bool> Shown() const;
    void SetShown(int index, bool shown);
    void Reset(); // every button shown, as designed

private:
    QListWidget* list_ = nullptr;
};
