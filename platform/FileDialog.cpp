#include "platform/FileDialog.h"

#include <cstdio>
#include <QStringList>
#include <utility>

namespace platform {
namespace {

FileDialogPresenter& Presenter()
{
    static FileDialogPresenter presenter;
    return presenter;
}

}  // namespace

FileDialogPresenter SetFileDialogPresenter(FileDialogPresenter presenter)
{
    return std::exchange(Presenter(), std::move(presenter));
}

bool TFileDialog::Execute()
{
    const FileDialogRequest request{kind_, Title, InitialDir, Filter, FileName};
    std::optional<QString> chosen;
    if (Presenter())
        chosen = Presenter()(request);
    else
        std::fprintf(stderr, "[file dialog] %s: cancelled\n", Filter.toUtf8().constData());
    if (!chosen)
        return false;
    FileName = *chosen;
    return true;
}

QString QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern.trimmed() == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace platform
