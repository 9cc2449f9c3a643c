#include "link/Progress.h"

#include <algorithm>
#include <QCloseEvent>
#include <QProgressBar>

#include "link/PcCom.h"
#include "platform/Exceptions.h"
#include "platform/WindowFrame.h"

TProgressForm* ProgressForm = nullptr;

namespace {
constexpr int ClientWidth = 634;
constexpr int ClientHeight = 65;
}  // namespace

TProgressForm::TProgressForm(QWidget* Owner)
    // A window of its own that stays above its owner; no Esc handling, unlike a dialog, so only
    // closing the window aborts.
    : QWidget(Owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("ProgressForm"));
    setFixedSize(ClientWidth, ClientHeight);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(16, 24, 602, 16);
    ProgressBar->setTextVisible(false);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
}

void TProgressForm::FormClose()
{
    if (PCom != nullptr)
        PCom->HandBackToMonitor();
}

void TProgressForm::SetPosition(int Position)
{
    ProgressBar->setValue(std::clamp(Position, ProgressBar->minimum(), ProgressBar->maximum()));
}

void TProgressForm::closeEvent(QCloseEvent* event)
{
    platform::Guarded([this] { FormClose(); });
    event->accept();
}

void TProgressForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (const QWidget* owner = parentWidget()) {
        platform::PlaceNowAndOnceFramed(*this,
                                        [this, owner] { platform::CentreOuterOn(*this, *owner); });
    }
}
