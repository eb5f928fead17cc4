// SPDX-License-Identifier: MIT
#include "gui/PictureFileDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include "core/Translate.h"

namespace qm {
namespace {

constexpr int kPreviewSide = 160;

// A filter as the user reads it, and the patterns it stands for. Qt takes
// the patterns of a filter from its parentheses, which in these
// descriptions are not all well-formed, so the list is built from the
// patterns (the last parentheses of each entry) and then shows the bare
// descriptions.
struct PictureFilter {
    const char* description;
    const char* patterns;
};

constexpr PictureFilter kFilters[] = {
    {N_("すべてのﾌｧｲﾙ (*.bmp;*.jpg;*jpeg;*.png)"), "*.bmp *.jpg *.jpeg *.png"},
    {"BitmapFile (*.bmp)", "*.bmp"},
    {"JpegFile (*.jpg:jpeg)", "*.jpg *.jpeg"},
    {"PNG File (*png)", "*.png"},
    {"HEIF, AVIF, WebP, TIFF (*.heic;*.heif;*.avif;*.webp;*.tif;*.tiff)",
     "*.heic *.heif *.avif *.webp *.tif *.tiff"},
};

QStringList PatternFilters()
{
    QStringList filters;
    for (const PictureFilter& filter : kFilters) {
        filters.append(QString::fromUtf8(T(filter.description)) + QStringLiteral(" (") +
                       QString::fromLatin1(filter.patterns) + QLatin1Char(')'));
    }
    return filters;
}

}  // namespace

PictureFileDialog::PictureFileDialog(QWidget* parent)
    : QFileDialog(parent, QString::fromUtf8(T("ファイルを開く"))), preview_(new QLabel)
{
    setObjectName(QStringLiteral("PictureFileDialog"));
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters(PatternFilters());
    ShowDescriptions();

    preview_->setObjectName(QStringLiteral("Preview"));
    preview_->setFixedSize(kPreviewSide, kPreviewSide);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    preview_->setFrameShadow(QFrame::Sunken);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        grid->addWidget(preview_, 1, grid->columnCount(), Qt::AlignTop);
    }
    connect(this, &QFileDialog::currentChanged, this, &PictureFileDialog::ShowPreview);
    resize(780, 460);
}

void PictureFileDialog::ShowDescriptions()
{
    auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (types == nullptr || types->count() != static_cast<int>(std::size(kFilters))) {
        return;
    }
    for (int i = 0; i < types->count(); ++i) {
        types->setItemText(i, QString::fromUtf8(T(kFilters[i].description)));
    }
}

void PictureFileDialog::ShowPreview(const QString& path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!reader.canRead() || size.isEmpty()) {
        preview_->clear();
        return;
    }
    reader.setScaledSize(size.scaled(kPreviewSide - 8, kPreviewSide - 8, Qt::KeepAspectRatio)
                             .expandedTo(QSize(1, 1))
                             .boundedTo(size));
    const QImage picture = reader.read();
    if (picture.isNull()) {
        preview_->clear();
        return;
    }
    preview_->setPixmap(QPixmap::fromImage(picture));
}

}  // namespace qm
