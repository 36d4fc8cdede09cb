#include "OpenFileDialog.h"

#include <QFileDialog>
#include <QFileSystemModel>

#include <sys/stat.h>

namespace {

struct FilterPair {
    QString display;
    QStringList patterns;
};

QList<FilterPair> parseFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QList<FilterPair> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        // "*.*" means every file, also one without a dot in its name.
        for (QString& pattern : patterns)
            if (pattern == u"*.*") pattern = QStringLiteral("*");
        pairs.append({parts[i], patterns});
    }
    return pairs;
}

} // namespace

QString openFileDialog(const QString& filter, const QString& defaultExtension,
                       const QString& initialDirectory, int /*flags*/, QWidget* owner) {
    const QList<FilterPair> pairs = parseFilter(filter);
    QStringList displays;
    for (const FilterPair& pair : pairs)
        displays.append(pair.display);

    // Qt's own dialog, so that the filters below reach its file list on every
    // desktop. Modal to the owner alone: the progress window stays usable.
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultExtension);
    if (!initialDirectory.isEmpty()) dialog.setDirectory(initialDirectory);
    dialog.setNameFilters(displays);

    // Qt reads a filter's patterns from the parentheses of its display text and
    // separates them by spaces; these displays separate them by semicolons. The
    // dialog's file model gets the patterns of the chosen pair instead.
    auto* model = dialog.findChild<QFileSystemModel*>();
    const auto usePatterns = [&](const QString& display) {
        const qsizetype index = displays.indexOf(display);
        if (model && index >= 0) model->setNameFilters(pairs[index].patterns);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, usePatterns);
    if (!displays.isEmpty()) {
        dialog.selectNameFilter(displays.first());
        usePatterns(displays.first());
    }

    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

bool fileAttributesExist(const std::string& path) {
    struct stat attributes;
    return !path.empty() && ::stat(path.c_str(), &attributes) == 0;
}
