// SPDX-License-Identifier: MIT
#include "gui/PreviewWindow.h"

#include <chrono>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "app/OutputType.h"
#include "app/run/SourceImages.h"
#include "app/run/TileSaver.h"
#include "app/window/TopLevelHandler.h"
#include "gui/ImageConversion.h"
#include "gui/SourcePane.h"
#include "gui/TileView.h"
#include "core/Translate.h"

namespace qm {
namespace {

// The pause after a change of the settings before the tile is made.
constexpr int kDebounceMs = 30;
constexpr int kZoomSteps[] = {25, 50, 75, 100, 150, 200, 300, 400};

std::uint32_t ClockSeed()
{
    return static_cast<std::uint32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
}

std::uint8_t ImageTypeOfName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("bmp")) {
        return kOutputBmp;
    }
    if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg")) {
        return kOutputJpeg;
    }
    return kOutputPng;
}

std::shared_ptr<const Image> ReadClipboard()
{
    const QImage picture = QApplication::clipboard()->image();
    if (picture.isNull()) {
        return nullptr;
    }
    return std::make_shared<const Image>(ImageFromQImage(picture));
}

}  // namespace

PreviewWindow::PreviewWindow(TfrmMain& model, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window),
      model_(model),
      platform_(platform),
      preview_(ClockSeed()),
      view_(new TileView),
      source_(new SourcePane),
      problem_(new QLabel),
      status_(new QLabel),
      zoom_(new QComboBox),
      outline_(new QCheckBox(QString::fromUtf8(T("1枚を枠で囲む(&T)")))),
      reroll_(new QPushButton(QString::fromUtf8(T("別の切り抜き(&N)")))),
      save_(new QPushButton(QString::fromUtf8(T("保存(&S)...")))),
      radius_(new QSpinBox),
      makeHere_(new QPushButton(QString::fromUtf8(T("この位置で作成(&P)"))))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QString::fromUtf8(T("プレビュー")));
    view_->setObjectName(QStringLiteral("tileView"));
    problem_->setObjectName(QStringLiteral("lblProblem"));
    status_->setObjectName(QStringLiteral("lblStatus"));
    zoom_->setObjectName(QStringLiteral("cmbZoom"));
    outline_->setObjectName(QStringLiteral("ckbOutline"));
    reroll_->setObjectName(QStringLiteral("bbnReroll"));
    save_->setObjectName(QStringLiteral("bbnSave"));
    source_->setObjectName(QStringLiteral("sourcePane"));
    radius_->setObjectName(QStringLiteral("spnRadius"));
    makeHere_->setObjectName(QStringLiteral("bbnMakeHere"));
    radius_->setRange(0, 9999);
    radius_->setSuffix(QStringLiteral(" px"));
    radius_->setToolTip(QString::fromUtf8(
        T("この位置からの半径 (ピクセル、0 ならちょうどこの位置): 作成する画像はどれもこの範囲で切り抜く")));
    auto* radiusLabel = new QLabel(QString::fromUtf8(T("半径(&R)")));
    radiusLabel->setBuddy(radius_);

    for (const int percent : kZoomSteps) {
        zoom_->addItem(QStringLiteral("%1 %").arg(percent), percent);
    }
    zoom_->addItem(QString::fromUtf8(T("合わせる")), 0);
    zoom_->setCurrentIndex(zoom_->findData(100));
    auto* zoomLabel = new QLabel(QString::fromUtf8(T("倍率(&Z)")));
    zoomLabel->setBuddy(zoom_);
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00000;"));
    problem_->hide();

    auto* tools = new QHBoxLayout;
    tools->setSpacing(8);
    tools->addWidget(zoomLabel);
    tools->addWidget(zoom_);
    tools->addWidget(outline_);
    tools->addStretch(1);
    tools->addWidget(reroll_);
    tools->addWidget(save_);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(8, 8, 8, 6);
    whole->setSpacing(6);
    whole->addLayout(tools);
    whole->addWidget(problem_);
    auto* here = new QHBoxLayout;
    here->setSpacing(8);
    here->addStretch(1);
    here->addWidget(radiusLabel);
    here->addWidget(radius_);
    here->addWidget(makeHere_);
    whole->addLayout(here);
    auto* panes = new QHBoxLayout;
    panes->setSpacing(8);
    panes->addWidget(source_, 1);
    panes->addWidget(view_, 1);
    whole->addLayout(panes, 1);
    whole->addWidget(status_);
    resize(800, 480);

    connect(zoom_, &QComboBox::currentIndexChanged, this,
            [this] { view_->SetZoom(zoom_->currentData().toInt()); });
    connect(zoom_, &QComboBox::activated, this, [this] { zoomPicked_ = true; });
    connect(outline_, &QCheckBox::toggled, this, [this](bool on) { view_->SetOutlined(on); });
    connect(reroll_, &QPushButton::clicked, this, &PreviewWindow::Reroll);
    connect(save_, &QPushButton::clicked, this, &PreviewWindow::SaveClick);
    connect(makeHere_, &QPushButton::clicked, this, &PreviewWindow::MakeHereClick);
    connect(source_, &SourcePane::Placed, this, [this](int x0, int y0) {
        place_ = QPoint(x0, y0);
        debounce_.start();
    });
    debounce_.setSingleShot(true);
    debounce_.setInterval(kDebounceMs);
    connect(&debounce_, &QTimer::timeout, this, &PreviewWindow::Start);
    connect(&watcher_, &QFutureWatcher<PreviewTile>::finished, this, [this] {
        Show(watcher_.result());
        if (pending_) {
            Start();
        }
    });
    save_->setEnabled(false);
    makeHere_->setEnabled(false);
}

PreviewWindow::~PreviewWindow()
{
    WaitForWork();
}

void PreviewWindow::WaitForWork()
{
    watcher_.waitForFinished();
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    SettingsChanged();
}

void PreviewWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && isEnabled() && pending_) {
        Start();
    }
}

void PreviewWindow::SettingsChanged()
{
    if (!isVisible()) {
        return;
    }
    const PreviewSettings settings = PreviewSettingsOf(model_);
    if (asking_ && settings == asked_) {
        return;
    }
    if (settings.FileSelectType == kSourceClipboard &&
        (!asking_ || asked_.FileSelectType != kSourceClipboard)) {
        clipboard_ = ReadClipboard();
    }
    asked_ = settings;
    asking_ = true;
    debounce_.start();
}

void PreviewWindow::Reroll()
{
    rerollNext_ = true;
    place_.reset();
    if (asked_.FileSelectType == kSourceClipboard) {
        clipboard_ = ReadClipboard();
    }
    Start();
}

void PreviewWindow::Start()
{
    // A run needs the engine and the program-wide generator to itself; its
    // boxes and progress let the event loop run meanwhile.
    if (watcher_.isRunning() || !isEnabled()) {
        pending_ = true;
        return;
    }
    pending_ = false;
    const bool reroll = rerollNext_;
    rerollNext_ = false;
    PreviewSettings settings = asked_;
    if (place_) {
        settings.ExtendedSettings.At = true;
        settings.ExtendedSettings.AtX = place_->x();
        settings.ExtendedSettings.AtY = place_->y();
        settings.ExtendedSettings.AtRadius = 0;
    }
    watcher_.setFuture(QtConcurrent::run(
        [this, settings, clipboard = clipboard_, reroll] {
            if (reroll) {
                preview_.Reroll();
            }
            return preview_.Make(settings, clipboard);
        }));
}

void PreviewWindow::Show(const PreviewTile& tile)
{
    shown_ = tile;
    save_->setEnabled(tile.Ok());
    makeHere_->setEnabled(tile.Ok() && make_ != nullptr);
    if (!tile.Ok()) {
        view_->Clear();
        source_->Clear();
        problem_->setText(QString::fromStdString(tile.Problem).replace(QStringLiteral("\r\n"),
                                                                      QStringLiteral("\n")));
        problem_->show();
        status_->clear();
        return;
    }
    problem_->hide();
    problem_->clear();
    view_->SetTile(QImageFromImage(tile.Tile));
    if (!zoomPicked_) {
        zoom_->setCurrentIndex(zoom_->findData(view_->TileExceedsView() ? 0 : 100));
    }
    if (tile.Source) {
        source_->SetPicture(QImageFromImage(*tile.Source),
                            QRect(tile.Draw.X0, tile.Draw.Y0, tile.SizeX, tile.SizeY));
    }
    QString status = QString::fromUtf8(T("タイル %1 × %2 ピクセル　切り抜き位置 (%3, %4)"))
                         .arg(tile.Tile.Width())
                         .arg(tile.Tile.Height())
                         .arg(tile.Draw.X0)
                         .arg(tile.Draw.Y0);
    if (tile.Draw.Amount) {
        status += QString::fromUtf8(T("　明るさ %1")).arg(*tile.Draw.Amount, 0, 'f', 3);
    }
    if (tile.Scale != 1.0) {
        status += QString::fromUtf8(T("　縮小 %1")).arg(tile.Scale, 0, 'f', 3);
    }
    for (const std::string& warning : tile.Warnings) {
        status += QString::fromUtf8(T("　%1")).arg(QString::fromStdString(warning));
    }
    status_->setText(status);
}

void PreviewWindow::SaveTileAs(const QString& path)
{
    const Image tile = shown_.Tile;
    RunUserAction(platform_, [&] {
        const ExtendedSettings& settings = model_.Extended();
        TTileSaver saver(1, ImageTypeOfName(path), model_.QualityPosition(),
                         settings.Dpi ? settings.DpiValue : 0, 0, nullptr, {},
                         JpegChromaOf(settings));
        saver.Save(tile, path.toStdString());
        saver.Finish();
    });
}

void PreviewWindow::MakeHereClick()
{
    ExtendedSettings& extended = model_.Extended();
    extended.At = true;
    extended.AtX = shown_.Draw.X0;
    extended.AtY = shown_.Draw.Y0;
    extended.AtRadius = radius_->value();
    make_();
    // The place is for this make action only; 作成 draws freely again.
    model_.Extended().At = false;
}

void PreviewWindow::SaveClick()
{
    QString filter;
    const QString path = QFileDialog::getSaveFileName(
        this, QString::fromUtf8(T("タイルの保存")), QStringLiteral("tile.png"),
        QStringLiteral("PNG (*.png);;Jpeg (*.jpg *.jpeg);;BMP (*.bmp)"), &filter);
    if (!path.isEmpty()) {
        SaveTileAs(path);
    }
}

}  // namespace qm
