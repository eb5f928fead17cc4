// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QPoint>

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>

#include "app/window/Main.h"
#include "app/window/PreviewModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace qm {

class SourcePane;
class TileView;

// The preview "プレビュー": the tile the current settings of the main window
// make from one cut, repeated over the view. It follows every change of the
// settings after a short pause; the source is decoded and the tile made on a
// worker thread, so the window never waits for them. A problem with the
// settings shows as a line of text, never as a box. The window lives as long
// as the program; closing only hides it, so it keeps its size.
class PreviewWindow : public QWidget {
    Q_OBJECT

public:
    PreviewWindow(TfrmMain& model, Platform& platform, QWidget* parent);
    ~PreviewWindow() override;

    // The main window's settings may have changed.
    void SettingsChanged();
    // Waits until the worker is done; a run draws from the program-wide
    // generator and the engine, which the worker may be using.
    void WaitForWork();

    // The tile shown; empty while a problem is shown.
    const Image& ShownTile() const { return shown_.Tile; }
    // Saves the tile shown as BMP, JPEG or PNG by the file name's
    // extension (PNG for any other), with the run's writers.
    void SaveTileAs(const QString& path);
    // What "この位置で作成(&P)" does after it has set the place: the main
    // window's make action.
    void SetMakeAction(std::function<void()> make) { make_ = std::move(make); }

protected:
    void showEvent(QShowEvent* event) override;
    // Disabled with the main window while a run goes on; a tile asked for
    // meanwhile is made afterwards.
    void changeEvent(QEvent* event) override;

private:
    void Reroll();
    void Start();
    void Show(const PreviewTile& tile);
    void SaveClick();
    void MakeHereClick();

    TfrmMain& model_;
    Platform& platform_;
    // Used by the worker alone while it runs.
    TPreviewModel preview_;
    QFutureWatcher<PreviewTile> watcher_;
    QTimer debounce_;
    PreviewSettings asked_;
    bool asking_ = false;
    // A computation waits for the running one to end.
    bool pending_ = false;
    bool rerollNext_ = false;
    // Until the user picks a zoom, a tile larger than the view is fitted.
    bool zoomPicked_ = false;
    std::shared_ptr<const Image> clipboard_;
    PreviewTile shown_;
    // The cut's top left corner placed on the source pane, if it was.
    std::optional<QPoint> place_;
    std::function<void()> make_;

    TileView* view_;
    SourcePane* source_;
    QLabel* problem_;
    QLabel* status_;
    QComboBox* zoom_;
    QCheckBox* outline_;
    QPushButton* reroll_;
    QPushButton* save_;
    QSpinBox* radius_;
    QPushButton* makeHere_;
};

}  // namespace qm
