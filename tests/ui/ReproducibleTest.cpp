// The committed pictures are exactly what the generator draws from its
// sources today, on this machine as on the one that committed them.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kCommitted = QStringLiteral(TARROWIN_PICTURE_DIR);
const QStringList kPictureFiles = {"*.ico", "*.cur", "*.bmp", "*.gif", "*.png", "*.svg"};

// Every picture file under the folder, by its path inside it.
QStringList pictureFiles(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, kPictureFiles, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage pixelsOf(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

TEST(Pictures, TheGeneratorRedrawsEveryCommittedFileExactly) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedChannels);
    generator.start(QStringLiteral(TARROWIN_PICTURE_GENERATOR),
                    {out.path(), out.filePath("contact-sheet.png")});
    ASSERT_TRUE(generator.waitForFinished(-1));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0);
    QFile::remove(out.filePath("contact-sheet.png"));

    const QStringList drawn = pictureFiles(out.path());
    ASSERT_EQ(drawn, pictureFiles(kCommitted))
        << "the generator makes other files than are committed";
    for (const QString& name : drawn) {
        SCOPED_TRACE(name.toStdString());
        const QString committed = kCommitted + "/" + name;
        const QString fresh = out.filePath(name);
        if (name.endsWith(".png")) {
            // A PNG's bytes also depend on the zlib that compressed it; its
            // pixels depend only on the generator.
            const QImage expected = pixelsOf(committed);
            ASSERT_FALSE(expected.isNull());
            EXPECT_TRUE(pixelsOf(fresh) == expected) << "pixels differ";
        } else {
            EXPECT_TRUE(bytesOf(fresh) == bytesOf(committed)) << "bytes differ";
        }
    }
}

} // namespace
