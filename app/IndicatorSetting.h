#pragma once
// What the indicator settings dialogs share: a modal dialog that edits one indicator live
// through its setters, opened beside it by Execute(indicator, x, y). Esc and Cancel write back
// the properties backed up at opening; OK and Enter keep every change; the title bar's close box
// keeps them too. While open the dialog's own message hook replaces the one in force and takes
// Esc and Enter from any of its controls; closing puts the saved hook back and has the main
// window repaint every indicator.
//
// A dialog derives from TIndicatorSettingFor<its indicator class>, builds its controls on
// TabSheet1 and TabSheet2 with the helpers here and gives the per-dialog parts: backup and
// restore, the colour map, the channel look-up and the filling of its controls.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <QDialog>
#include <QString>
#include <string>
#include <tuple>

#include "app/SettingEntries.h"
#include "indicators/PortInfo.h"
#include "platform/Color.h"
#include "platform/ColorDialog.h"
#include "platform/MessageHook.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TIndicator;

class TIndicatorSettingDialog : public QDialog {
    Q_OBJECT
public:
    // The result after the title bar's close box: the platform's own cancel result.
    static constexpr int mrCancel = 2;
    // The colour every dialog offers among its custom colours (red 200, green 210, blue 210).
    static constexpr platform::TColor FixedGrey = 13816520;

    // The design of a dialog: client size at design, the strip below the page control that holds
    // the buttons, the outer heights its two tabs set, and whether the user may resize it.
    struct TDesign {
        const char* ObjectName;
        const char* Caption;
        int ClientWidth;
        int ClientHeight;
        int StripHeight;
        int Tab1Height;  // 0: the tab leaves the height as it is
        int Tab2Height;
        bool Resizable;
    };

    // Components every dialog has.
    QTabWidget* PageControl;
    QWidget* TabSheet1;  // "基本"
    QWidget* TabSheet2;  // "オプション"
    QWidget* PanelButtons;
    QPushButton* ButtonCansel;
    QPushButton* ButtonOk;
    platform::TColorDialog ColorDialog;
    // The application's message hook in force when Execute began.
    platform::MessageHook SavedOnMessage;
    // Colour buttons and the panels beside them, by tag.
    std::map<int, QPushButton*> ColorButtons;
    std::map<int, QWidget*> ColorPanels;

    // The indicator being edited (null while the dialog is idle).
    virtual TIndicator* EditedIndicator() const = 0;

    virtual void BackupProperties() = 0;
    // Writes every backed-up value back through the indicator's setters, in backup order.
    virtual void RestoreProperties() = 0;
    // The colour offered in custom colour slot index (0-15).
    virtual platform::TColor GetColorByIndex(int index) const = 0;
    // Applies a colour picked for the colour button with that tag; an unknown tag does nothing.
    virtual void SetColorByIndex(int tag, platform::TColor color) = 0;

    // Esc: restore and -1; Enter: as OK (after applying the entry that holds the focus, and the
    // row highlighted in an open drop-down list). Only keys addressed to this dialog (or to a
    // drop-down list of it) count; the key goes on to its control either way.
    void DialogMessageHook(platform::TMessage& message, bool& handled);
    // Ends an edit, whatever closed the dialog: the indicator is let go, the saved hook comes
    // back, every indicator repaints.
    void FormClose();
    virtual void ButtonOkClick();
    void ButtonCanselClick();
    // The handler of every colour button (sender: the button, whose tag selects the colour).
    void ButtonTitleColorClick(QObject* sender);
    void TabSheet1Show();
    void TabSheet2Show();

    // Sets the dialog's outer height (title bar and frame included, where the window has them).
    void SetOuterHeight(int height);

    // The channel table row's decimal point; no row (-1) counts as a channel without decimals,
    // which is also how an indicator without a channel shows its values.
    static int DecimalPointOf(int row);
    // Row row of the channel table.
    static const TPortInfo& ChannelTableRow(int row);
    // The tag a colour button carries.
    static int TagOf(const QObject* button);

    void done(int result) override;
    void reject() override;

protected:
    TIndicatorSettingDialog(QWidget* owner, const TDesign& design);

    // The steps of Execute, for the dialogs to run in their order.
    void InstallHook();
    void PlaceBeside(int x, int y, int indicatorWidth);
    // Custom colours "ColorA=" to "ColorP=" from GetColorByIndex.
    void FillCustomColors();
    int ShowModal();
    // Lets the indicator go (Indicator becomes null).
    virtual void ForgetIndicator() = 0;

    // Building blocks. Every control gets its object name.
    QLabel* NewLabel(QWidget* parent, const char* text, const QRect& geometry);
    // A drop-down list of the channel table's descriptions; its handler runs on a pick only.
    QComboBox* NewChannelComboBox(QWidget* parent, const char* name, const QRect& geometry,
                                  std::function<void(int row)> onPick);
    // A drop-down list of fixed items.
    QComboBox* NewPickList(QWidget* parent, const char* name, const QRect& geometry,
                           const QStringList& items, std::function<void(int index)> onPick);
    // A text entry applied when left (onExit), or at every change when live.
    TExitEdit* NewTextEntry(QWidget* parent, const char* name, const QRect& geometry,
                            std::function<void(const QString& text)> apply, bool live = false);
    // A fixed-point entry applied when left, converted with the decimal point of row().
    TExitEdit* NewFixedPointEntry(QWidget* parent, const char* name, const QRect& geometry,
                                  std::function<int()> row,
                                  std::function<void(std::int32_t)> apply);
    // A live integer entry with its up-down: every change of the text goes to apply as the
    // platform's whole-number conversion; a text that is none is reported and applies nothing.
    TUpDown* NewIntegerEntry(QWidget* parent, const char* editName, const char* upDownName,
                             const QRect& editGeometry, int min, int max, int increment,
                             int position, bool readOnly, std::function<void(int)> apply);
    // A colour button with its tag and the panel beside it.
    QPushButton* NewColorButton(QWidget* parent, int tag, const char* buttonName,
                                const char* caption, const char* panelName, const QRect& geometry);
    void PaintColorPanel(int tag, platform::TColor color);

    // The whole channel table into a combo box, one item per row; no selection.
    static void FillChannelComboBox(QComboBox* box);
    // The row whose Designator is name (exact); the combo box shows it, or nothing for -1.
    static int LookUpChannel(QComboBox* box, const std::string& name);
    // The entry's text as a fixed-point value with the row's decimal point; false (after the
    // conversion's own report for a malformed text) when it does not convert.
    static bool ConvertFixedPoint(const QLineEdit* entry, int row, std::int32_t& value);

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool OwnsReceiver(const QObject* receiver) const;
    void PickHighlightedRowOfOpenList();
    void ShowCurrentTab();
    void PlaceBesideAnchor();

    TDesign design_;
    // The indicator's screen corner and width while the dialog is placed beside it.
    std::optional<std::tuple<int, int, int>> anchor_;
    bool hookInstalled_ = false;
};

// The part that knows the dialog's indicator class.
template <class TKind>
class TIndicatorSettingFor : public TIndicatorSettingDialog {
public:
    using TIndicatorClass = TKind;

    // The indicator being edited; null before the first Execute and after every close.
    TKind* Indicator = nullptr;

    TIndicator* EditedIndicator() const override { return Indicator; }

    // Opens the dialog for indicator beside the screen point x, y (the indicator's top-left
    // corner) and answers the modal result when it has closed.
    int Execute(TKind* indicator, int x, int y)
    {
        InstallHook();
        Indicator = indicator;
        BackupProperties();
        PlaceBeside(x, y, indicator->width());
        FillCustomColors();
        LookUpChannels();
        FillControls();
        return ShowModal();
    }

protected:
    using TIndicatorSettingDialog::TIndicatorSettingDialog;

    // The channel combo boxes from the indicator's channel names.
    virtual void LookUpChannels() {}
    // Every control from the indicator.
    virtual void FillControls() = 0;
    void ForgetIndicator() override { Indicator = nullptr; }
};
