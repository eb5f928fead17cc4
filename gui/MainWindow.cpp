// SPDX-License-Identifier: MIT
#include "gui/MainWindow.h"

#include <string>
#include <vector>

#include <QAbstractButton>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QUrl>

#include "app/AppInfo.h"
#include "app/window/TopLevelHandler.h"
#include "gui/ExtendedDialog.h"
#include "gui/PreviewWindow.h"

namespace qm {
namespace {

constexpr int kClientWidth = 641;
constexpr int kClientHeight = 396;

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

// The local files among the dropped items, in their order.
std::vector<std::string> LocalFiles(const QMimeData& data)
{
    std::vector<std::string> files;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) {
            files.push_back(url.toLocalFile().toStdString());
        }
    }
    return files;
}

}  // namespace

MainWindow::MainWindow(TfrmMain& model, Platform& platform, TfrmExtended& extended)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      model_(model),
      platform_(platform),
      controls_(BuildMainWindowControls(this)),
      extended_(extended),
      preview_(new PreviewWindow(model, platform, this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setFixedSize(kClientWidth, kClientHeight);
    setAcceptDrops(true);
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const ControlState& state = model_.State(static_cast<ControlId>(i));
        controls_[i]->setToolTip(ToQString(state.tooltip));
        if (auto* edit = qobject_cast<QLineEdit*>(controls_[i]); edit && state.maxLength > 0) {
            edit->setMaxLength(state.maxLength);
        }
    }
    Refresh();
    ForwardEvents();
    // The preview's "make here" is this window's make action.
    preview_->SetMakeAction(
        [this] { qobject_cast<QAbstractButton*>(Control(ControlId::bbnExecute))->click(); });
    model_.SetChangeListener([this] {
        Refresh();
        preview_->SettingsChanged();
    });
    connect(findChild<QAbstractButton*>(QString::fromLatin1(kPreviewButton)),
            &QAbstractButton::clicked, this, [this] {
                preview_->show();
                preview_->raise();
                preview_->activateWindow();
            });
    connect(findChild<QAbstractButton*>(QString::fromLatin1(kExtendedButton)),
            &QAbstractButton::clicked, this, &MainWindow::ShowExtendedDialog);
}

void MainWindow::ShowExtendedDialog()
{
    ExtendedDialog dialog(extended_, platform_, this);
    if (dialog.exec() == QDialog::Accepted) {
        // The size fields and the preview follow the stored settings.
        model_.ExtendedSettingsChanged();
    }
}

void MainWindow::ForwardEvents()
{
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const auto control = static_cast<ControlId>(i);
        QWidget* widget = controls_[i];
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, control] {
                if (control == ControlId::bbnExecute) {
                    // The run needs the engine and the generator to itself.
                    preview_->WaitForWork();
                }
                Run([this, control] { model_.Click(control); });
            });
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textEdited, this, [this, control](const QString& text) {
                Run([this, control, &text] { model_.ChangeText(control, text.toStdString()); });
            });
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            connect(list, &QComboBox::currentIndexChanged, this,
                    [this](int index) { Run([this, index] { model_.SelectMethod(index); }); });
        } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
            connect(bar, &QScrollBar::valueChanged, this, [this](int position) {
                Run([this, position] { model_.MoveQuality(position); });
            });
        }
    }
}

void MainWindow::Run(const std::function<void()>& action)
{
    RunUserAction(platform_, action);
    Refresh();
    preview_->SettingsChanged();
}

void MainWindow::Refresh()
{
    // The size fields sit in their group, whose caption follows the model.
    if (auto* sizes = qobject_cast<QGroupBox*>(Control(ControlId::edtSizeY)->parentWidget())) {
        sizes->setTitle(ToQString(model_.SizeGroupCaption()));
    }
    RefreshMethodList();
    for (std::size_t i = 0; i < kControlCount; ++i) {
        RefreshControl(static_cast<ControlId>(i));
    }
}

void MainWindow::RefreshMethodList()
{
    auto* list = qobject_cast<QComboBox*>(Control(ControlId::cmbTransMethod));
    const QSignalBlocker quiet(list);
    QStringList items;
    for (const std::string& item : model_.MethodItems()) {
        items.append(ToQString(item));
    }
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
        shown.append(list->itemText(i));
    }
    if (shown != items) {
        list->clear();
        list->addItems(items);
    }
    list->setCurrentIndex(model_.SelectedMethod());
}

void MainWindow::RefreshControl(ControlId control)
{
    const ControlState& state = model_.State(control);
    QWidget* widget = Control(control);
    const QSignalBlocker quiet(widget);
    const QString text = ToQString(state.text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text() != text) {
            button->setText(text);
        }
        if (qobject_cast<QRadioButton*>(button) != nullptr) {
            // Qt refuses to clear the checked button of a group; the model
            // says which one is checked, so the group rule steps aside.
            button->setAutoExclusive(false);
            button->setChecked(state.checked);
            button->setAutoExclusive(true);
        } else if (button->isCheckable()) {
            button->setChecked(state.checked);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (state.maxLength > 0) {
            edit->setMaxLength(state.maxLength);
        }
        if (edit->text() != text) {
            edit->setText(text);
        }
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text() != text) {
            label->setText(text);
        }
    } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
        bar->setValue(model_.QualityPosition());
    }
    widget->setEnabled(state.enabled);
    if (widget->isHidden() == state.visible) {
        widget->setVisible(state.visible);
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(*event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> files = LocalFiles(*event->mimeData());
    if (files.empty()) {
        return;
    }
    event->acceptProposedAction();
    TakeFiles(files);
}

void MainWindow::TakeFiles(const std::vector<std::string>& files)
{
    Run([this, &files] { model_.DropFiles(files); });
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        qobject_cast<QAbstractButton*>(Control(ControlId::bbnExecute))->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace qm
