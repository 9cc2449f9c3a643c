#pragma once
// The numeric list settings dialog "数値リスト設定". Its row list is edited on a copy (the list
// box) and reaches the indicator only when the user confirms (了解 or Enter); the font heights and
// colours are applied live and written back on Cancel or Esc. Rows are added by description
// through the channel picker, which opens beside this dialog.
#include "app/IndicatorSetting.h"
#include "indicators/NumericList.h"

class QListWidget;
class QPushButton;

class TFNumericListSetup : public TIndicatorSettingFor<TNumericList> {
    Q_OBJECT
public:
    explicit TFNumericListSetup(QWidget* owner = nullptr);

    // Components of TabSheet1.
    QListWidget* ListBox = nullptr;
    QPushButton* ButtonAdd;   // "追加"
    QPushButton* ButtonDel;   // "削除"
    QPushButton* ButtonUp;    // "↑"
    QPushButton* ButtonDown;  // "↓"
    // Components of TabSheet2.
    TUpDown* UpDownTitleFontSize;  // bound to EditTitleFontSize
    TUpDown* UpDownListFontSize;   // bound to EditListFontSize

    // Opens the dialog for the list beside the screen point x, y (its top-left corner): the rows
    // are copied into the list box before the hook goes in and the dialog is placed.
    int Execute(TNumericList* indicator, int x, int y);

    // The selected line of the list box, or -1.
    int ItemIndex() const;

    void ButtonAddClick();
    void ButtonDelClick();
    void ButtonUpClick();
    void ButtonDownClick();
    // Applies the row list, then closes with 1 (Enter does the same).
    void ButtonOkClick() override;

protected:
    // The list box is anchored on all four sides.
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateBasicSheet();
    void CreateOptionSheet();
    void SetItemIndex(int index);
    void MoveLine(int from, int to);
};

extern TFNumericListSetup* FNumericListSetup;
