#pragma once
// What the indicator settings dialogs share: a modal dialog that edits one indicator live
// through its setters, opened beside it by Execute(indicator, x, y). Esc and Cancel write back
// the properties backed up at opening; OK and Enter keep every change; the title bar's close box
// keeps them too. While open the dialog's own message hook replaces the one in force and takes
// Esc and Enter from any of its controls; closing puts the saved hook back and has the main
// window repaint every indicator.
//
// A dialog derives from TIndicatorSettingFor<its indicator class>, builds its controls on
// TabSheet1 and TabSheet2 with the helpers here and lists its properties in one table, which the
// backup and restore, the channel look-up, the filling of the controls, their live updates and
// the colour buttons all walk.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <QComboBox>
#include <QDialog>
#include <QString>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "app/SettingEntries.h"
#include "indicators/Etcpas.h"
#include "indicators/PortInfo.h"
#include "platform/Color.h"
#include "platform/ColorDialog.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/MessageHook.h"

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

    // Building blocks. Every control gets its object name; what it edits, and when, is given by
    // the property that names it (TIndicatorSettingFor).
    QLabel* NewLabel(QWidget* parent, const char* text, const QRect& geometry);
    // A drop-down list of the channel table's descriptions.
    QComboBox* NewChannelComboBox(QWidget* parent, const char* name, const QRect& geometry);
    // A drop-down list of fixed items.
    QComboBox* NewPickList(QWidget* parent, const char* name, const QRect& geometry,
                           const QStringList& items);
    // A text or fixed-point entry.
    TExitEdit* NewEntry(QWidget* parent, const char* name, const QRect& geometry);
    // An integer entry with its up-down.
    TUpDown* NewIntegerEntry(QWidget* parent, const char* editName, const char* upDownName,
                             const QRect& editGeometry, int min, int max, int increment,
                             int position, bool readOnly);
    // A group box with its caption.
    QGroupBox* NewGroup(QWidget* parent, const char* name, const char* caption,
                        const QRect& geometry);
    // A colour button with its tag and the panel beside it.
    QPushButton* NewColorButton(QWidget* parent, int tag, const char* buttonName,
                                const char* caption, const char* panelName, const QRect& geometry);
    // Colour buttons of the tags 0, 1, 2 ... one below the other, the first at first and each
    // next pitch lower.
    struct TColorButtonDesign {
        const char* Button;
        const char* Caption;
        const char* Panel;
    };
    void NewColorButtons(QWidget* parent, std::initializer_list<TColorButtonDesign> buttons,
                         const QRect& first, int pitch);
    void PaintColorPanel(int tag, platform::TColor color);

    // Runs a control's handler while an indicator is being edited, as the platform runs an
    // event handler: an exception is reported, not thrown on.
    void WhileEditing(const std::function<void()>& handler);

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

// The part that knows the dialog's indicator class, and the table of its properties.
template <class TKind>
class TIndicatorSettingFor : public TIndicatorSettingDialog {
public:
    using TIndicatorClass = TKind;
    // A property's value: an integer or colour, an 8-bit text, or a caption.
    using TValue = std::variant<std::int32_t, std::string, QString>;

    // One property of the indicator as the dialog handles it: the backup keeps it through its
    // getter and Cancel and Esc write it back through its setter; its control, if it has one,
    // shows it when the dialog opens and gives every change to the setter.
    struct TProperty {
        std::function<TValue(const TKind&)> Get;
        std::function<void(TKind&, const TValue&)> Set;
        // Shows the value in the control; empty for a property only kept.
        std::function<void(const TValue&)> Show;
        // An entry, and how it applies its text (as leaving it does).
        QLineEdit* Entry = nullptr;
        std::function<void()> Apply;
        // A channel list, or a fixed-point entry: the channel-table row it goes with.
        QComboBox* List = nullptr;
        int* Row = nullptr;
        // A colour: its button's tag.
        int ColorTag = -1;
    };

    // The indicator being edited; null before the first Execute and after every close.
    TKind* Indicator = nullptr;
    // The properties, in the order the backup writes them back.
    std::vector<TProperty> Properties;
    // The custom colour slot that offers the fixed grey.
    int FixedGreySlot = -1;
    // The values backed up when the dialog opened, one per property.
    std::vector<TValue> Backup;

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

    void BackupProperties() final
    {
        Backup.clear();
        for (const TProperty& property : Properties)
            Backup.push_back(property.Get(*Indicator));
    }
    void RestoreProperties() final
    {
        for (std::size_t i = 0; i < Properties.size() && i < Backup.size(); ++i)
            Properties[i].Set(*Indicator, Backup[i]);
    }
    platform::TColor GetColorByIndex(int index) const final
    {
        if (index == FixedGreySlot)
            return FixedGrey;
        const TProperty* colour = ColorOf(index);
        return colour ? std::get<std::int32_t>(colour->Get(*Indicator)) : 0;
    }
    void SetColorByIndex(int tag, platform::TColor color) final
    {
        if (const TProperty* colour = ColorOf(tag)) {
            colour->Set(*Indicator, color);
            PaintColorPanel(tag, color);
        }
    }

protected:
    using TIndicatorSettingDialog::TIndicatorSettingDialog;

    static constexpr bool Live = true;

    // A property only kept in the backup.
    template <class Getter, class Setter>
    static TProperty Kept(Getter get, Setter set)
    {
        using T = std::remove_cvref_t<std::invoke_result_t<Getter, const TKind&>>;
        TProperty property;
        property.Get = [get](const TKind& kind) {
            return TValue(std::in_place_type<T>, (kind.*get)());
        };
        property.Set = [set](TKind& kind, const TValue& value) { (kind.*set)(std::get<T>(value)); };
        return property;
    }
    // A colour shown in the panel of the button with tag.
    template <class Getter, class Setter>
    TProperty Colour(Getter get, Setter set, int tag)
    {
        TProperty property = Kept(get, set);
        property.Show = [this, tag](const TValue& value) {
            PaintColorPanel(tag, std::get<std::int32_t>(value));
        };
        property.ColorTag = tag;
        return property;
    }
    // A number in an entry with an up-down, applied at every change as the platform's
    // whole-number conversion of the text; a text that is none is reported and applies nothing.
    template <class Getter, class Setter>
    TProperty Counter(Getter get, Setter set, TUpDown* upDown)
    {
        TProperty property = Kept(get, set);
        property.Show = [upDown](const TValue& value) {
            upDown->SetPosition(std::get<std::int32_t>(value));
        };
        QLineEdit* edit = upDown->Associate();
        connect(edit, &QLineEdit::textChanged, this, [this, edit, set] {
            WhileEditing([&] { (Indicator->*set)(platform::StrToInt(edit->text())); });
        });
        return property;
    }
    // A number picked as the index of a drop-down list's item.
    template <class Getter, class Setter>
    TProperty Choice(Getter get, Setter set, QComboBox* list)
    {
        TProperty property = Kept(get, set);
        property.Show = [list](const TValue& value) {
            list->setCurrentIndex(std::get<std::int32_t>(value));
        };
        OnPick(list, [this, set](int index) { (Indicator->*set)(index); });
        return property;
    }
    // A text (8-bit, or a caption) in an entry, applied when the entry is left, or at every
    // change when live.
    template <class Getter, class Setter>
    TProperty Text(Getter get, Setter set, TExitEdit* entry, bool live = false)
    {
        using T = std::remove_cvref_t<std::invoke_result_t<Getter, const TKind&>>;
        TProperty property = Kept(get, set);
        property.Show = [entry](const TValue& value) {
            if constexpr (std::is_same_v<T, QString>)
                entry->setText(std::get<QString>(value));
            else
                entry->setText(platform::FromCp932(std::get<std::string>(value)));
        };
        property.Apply = [this, entry, set] {
            if constexpr (std::is_same_v<T, QString>)
                (Indicator->*set)(entry->text());
            else
                (Indicator->*set)(platform::ToCp932(entry->text()));
        };
        BindEntry(property, entry, live);
        return property;
    }
    // A value in the fixed-point units of the channel in row row, applied when the entry is left
    // and only when its text converts.
    template <class Getter, class Setter>
    TProperty FixedPoint(Getter get, Setter set, TExitEdit* entry, int& row)
    {
        TProperty property = Kept(get, set);
        property.Show = [entry, &row](const TValue& value) {
            entry->setText(platform::FromCp932(
                IntToStrFP(std::get<std::int32_t>(value), DecimalPointOf(row))));
        };
        property.Apply = [this, entry, set, &row] {
            std::int32_t value = 0;
            if (ConvertFixedPoint(entry, row, value))
                (Indicator->*set)(value);
        };
        property.Row = &row;
        BindEntry(property, entry, false);
        return property;
    }
    // A channel name picked in a list whose item index is the channel table's row row; picked
    // runs on every pick by the user.
    template <class Getter, class Setter>
    TProperty Channel(Getter get, Setter set, QComboBox* list, int& row,
                      std::function<void(int row)> picked)
    {
        TProperty property = Kept(get, set);
        property.List = list;
        property.Row = &row;
        OnPick(list, std::move(picked));
        return property;
    }

    // Step 5 of Execute: each channel list shows the row of the indicator's channel name.
    void LookUpChannels()
    {
        for (const TProperty& property : Properties) {
            if (property.List)
                *property.Row =
                    LookUpChannel(property.List, std::get<std::string>(property.Get(*Indicator)));
        }
    }
    // Step 6: every control from the indicator.
    void FillControls()
    {
        for (const TProperty& property : Properties) {
            if (property.Show)
                property.Show(property.Get(*Indicator));
        }
    }

    // The channel of row picked goes to the indicator through the channel list of row; true
    // when it is another row than before.
    bool TakeChannel(const int& row, int picked)
    {
        for (const TProperty& property : Properties) {
            if (property.List && property.Row == &row)
                property.Set(*Indicator, ChannelTableRow(picked).Designator);
        }
        return picked != row;
    }
    // A channel picked for row, as the dial and the bar graph take it: on a new row the title
    // entry shows the channel's description and gives it to the indicator, and the fixed-point
    // entries' texts, unchanged on screen, now stand for values with the new decimal point.
    void FollowChannel(int& row, int picked, QLineEdit* title)
    {
        if (!TakeChannel(row, picked))
            return;
        title->setText(platform::FromCp932(ChannelTableRow(picked).Description));
        ApplyEntries([title](const TProperty& property) { return property.Entry == title; });
        row = picked;
        ApplyEntries([&row](const TProperty& property) { return property.Row == &row; });
    }
    // The fixed-point entries of row show their values again with its decimal point.
    void ShowEntries(const int& row)
    {
        for (const TProperty& property : Properties) {
            if (property.Entry && property.Row == &row)
                property.Show(property.Get(*Indicator));
        }
    }

    void ForgetIndicator() override { Indicator = nullptr; }

private:
    const TProperty* ColorOf(int tag) const
    {
        for (const TProperty& property : Properties) {
            if (tag >= 0 && property.ColorTag == tag)
                return &property;
        }
        return nullptr;
    }
    template <class Which>
    void ApplyEntries(Which which)
    {
        for (const TProperty& property : Properties) {
            if (property.Entry && which(property))
                property.Apply();
        }
    }
    void BindEntry(TProperty& property, TExitEdit* entry, bool live)
    {
        property.Entry = entry;
        auto apply = [this, apply = property.Apply] { WhileEditing(apply); };
        if (live)
            connect(entry, &QLineEdit::textChanged, this, apply);
        else
            entry->OnExit = apply;
    }
    // Only a pick by the user runs the handler, not an index set from the indicator.
    void OnPick(QComboBox* list, std::function<void(int)> handler)
    {
        connect(list, &QComboBox::activated, this, [this, handler = std::move(handler)](int index) {
            WhileEditing([&] { handler(index); });
        });
    }
};
