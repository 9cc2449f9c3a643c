#include "app/ABOUT.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "platform/Panel.h"

TAboutBox* AboutBox = nullptr;

namespace {

constexpr int ClientWidth = 367;
constexpr int ClientHeight = 268;

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(ClientWidth, ClientHeight);

    auto* panel = new platform::Panel(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->SetBevelOuter(platform::TBevelCut::bvLowered);
    panel->setGeometry(8, 8, 351, 209);
    ProgramIcon = AddLabel(panel, "ProgramIcon", QString(), 8, 8);
    ProgramIcon->setFixedSize(65, 57);
    ProductName = AddLabel(panel, "ProductName", QStringLiteral("Product Name"), 88, 16);
    Version = AddLabel(panel, "Version", QStringLiteral("Version"), 88, 40);
    Copyright = AddLabel(panel, "Copyright", QStringLiteral("Copyright"), 8, 80);
    Comments = AddLabel(panel, "Comments", QStringLiteral("Comments"), 8, 104);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(146, 228, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { done(1); });
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}
