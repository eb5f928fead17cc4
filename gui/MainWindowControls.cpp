// SPDX-License-Identifier: MIT
#include "gui/MainWindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <vector>

#include "gui/HorizontalScrollBar.h"
#include "core/Translate.h"

namespace qm {
namespace {

// Builds the widgets of one window and records each under its control.
class Builder {
public:
    explicit Builder(QWidget* window) : window_(window) {}

    ControlWidgets Build();

private:
    template <typename W>
    W* Add(ControlId control, const char* name, W* widget)
    {
        widget->setObjectName(QString::fromLatin1(name));
        widgets_[static_cast<std::size_t>(control)] = widget;
        return widget;
    }
    QRadioButton* Radio(ControlId control, const char* name);
    QCheckBox* Check(ControlId control, const char* name);
    QPushButton* Button(ControlId control, const char* name, QStyle::StandardPixmap glyph);
    // A button of the view alone, which opens a window of its own.
    QPushButton* ViewButton(const char* name, const char* caption, QStyle::StandardPixmap glyph);
    QLineEdit* Edit(ControlId control, const char* name);
    // A short numeric field with the input method off.
    QLineEdit* NumberEdit(ControlId control, const char* name);
    QLabel* Label(ControlId control, const char* name);

    static QGroupBox* Group(const char* caption);
    static QGridLayout* GridOf(QGroupBox* group);

    QGroupBox* SourceGroup();
    QGroupBox* MethodGroup();
    QGroupBox* SizeGroup();
    QGroupBox* CountGroup();
    QGroupBox* PrefixGroup();
    QGroupBox* FileTypeGroup();
    QGroupBox* HtmlGroup();
    QGroupBox* OutputGroup();
    QHBoxLayout* ButtonRow();
    void SetTabOrder();

    QWidget* window_;
    ControlWidgets widgets_{};
    // The preview and extended-settings buttons, in the tab order after
    // bbnExit.
    std::vector<QWidget*> viewButtons_;
};

constexpr int kIndent = 18;
constexpr int kNumberWidth = 40;

QRadioButton* Builder::Radio(ControlId control, const char* name)
{
    return Add(control, name, new QRadioButton);
}

QCheckBox* Builder::Check(ControlId control, const char* name)
{
    return Add(control, name, new QCheckBox);
}

QPushButton* Builder::Button(ControlId control, const char* name, QStyle::StandardPixmap glyph)
{
    auto* button = Add(control, name, new QPushButton);
    button->setIcon(QApplication::style()->standardIcon(glyph));
    // Enter on a focused button presses that button, as on any dialog.
    button->setAutoDefault(true);
    return button;
}

QPushButton* Builder::ViewButton(const char* name, const char* caption,
                                 QStyle::StandardPixmap glyph)
{
    auto* button = new QPushButton(QString::fromUtf8(caption));
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(QApplication::style()->standardIcon(glyph));
    button->setAutoDefault(true);
    viewButtons_.push_back(button);
    return button;
}

QLineEdit* Builder::Edit(ControlId control, const char* name)
{
    auto* edit = Add(control, name, new QLineEdit);
    // Files dropped anywhere on the window go to the window, not into a field.
    edit->setAcceptDrops(false);
    return edit;
}

QLineEdit* Builder::NumberEdit(ControlId control, const char* name)
{
    auto* edit = Edit(control, name);
    edit->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferLatin);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setFixedWidth(kNumberWidth);
    return edit;
}

QLabel* Builder::Label(ControlId control, const char* name)
{
    return Add(control, name, new QLabel);
}

QGroupBox* Builder::Group(const char* caption)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    return group;
}

QGridLayout* Builder::GridOf(QGroupBox* group)
{
    return static_cast<QGridLayout*>(group->layout());
}

QGroupBox* Builder::SourceGroup()
{
    QGroupBox* group = Group(T("元になる画像"));
    QGridLayout* grid = GridOf(group);
    grid->setColumnMinimumWidth(0, kIndent);
    grid->addWidget(Radio(ControlId::rdbImageFile, "rdbImageFile"), 0, 0,
                    1, 2);
    auto* browse = Button(ControlId::bbnBrows, "bbnBrows", QStyle::SP_DialogOpenButton);
    grid->addWidget(browse, 0, 2);
    auto* fileName = Edit(ControlId::edtFileName, "edtFileName");
    grid->addWidget(fileName, 1, 1, 1, 2);
    grid->addWidget(Radio(ControlId::rdbSelectImageFolder, "rdbSelectImageFolder"),
                    2, 0, 1, 2);
    grid->addWidget(Button(ControlId::bbnSelectImageFolder, "bbnSelectImageFolder", QStyle::SP_DirOpenIcon),
                    2, 2);
    grid->addWidget(Edit(ControlId::edtSelectImageFolder, "edtSelectImageFolder"), 3, 1, 1, 2);
    grid->addWidget(
        Radio(ControlId::rdbSelectImageClipBoard, "rdbSelectImageClipBoard"),
        4, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return group;
}

QGroupBox* Builder::MethodGroup()
{
    QGroupBox* group = Group(T("変換方法"));
    QGridLayout* grid = GridOf(group);
    grid->setColumnMinimumWidth(0, kIndent);
    grid->addWidget(Radio(ControlId::rdbBasic, "rdbBasic"), 0, 0, 1, 3);
    auto* methods = Add(ControlId::cmbTransMethod, "cmbTransMethod", new QComboBox);
    methods->setEditable(false);
    grid->addWidget(methods, 1, 1);
    grid->addWidget(Button(ControlId::bbnDetail, "bbnDetail", QStyle::SP_FileDialogDetailedView),
                    1, 2);
    grid->addWidget(Radio(ControlId::rdbDll, "rdbDll"), 2, 0, 1, 3);
    grid->addWidget(Edit(ControlId::edtDll, "edtDll"), 3, 1);
    grid->addWidget(
        Button(ControlId::bbnDll, "bbnDll", QStyle::SP_DialogOpenButton), 3, 2);

    auto* options = new QFrame;
    options->setFrameShape(QFrame::HLine);
    options->setFrameShadow(QFrame::Sunken);
    grid->addWidget(options, 4, 0, 1, 3);
    // The options sit in a panel of their own: Qt's Tab key leaves a group
    // of radio buttons past all the buttons that share their parent.
    auto* optionPanel = new QWidget;
    auto* optionGrid = new QGridLayout(optionPanel);
    optionGrid->setContentsMargins(0, 0, 0, 0);
    optionGrid->setHorizontalSpacing(16);
    optionGrid->setVerticalSpacing(4);
    optionGrid->addWidget(Check(ControlId::ckbShuffle, "ckbShuffle"), 0, 0);
    optionGrid->addWidget(Check(ControlId::ckbShadeOff, "ckbShadeOff"), 0, 1);
    optionGrid->addWidget(Check(ControlId::ckbBrightness, "ckbBrightness"), 1, 0);
    optionGrid->setColumnStretch(2, 1);
    grid->addWidget(optionPanel, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return group;
}

QGroupBox* Builder::SizeGroup()
{
    QGroupBox* group = Group(T("切り抜くサイズ（偶数のみ。32～256）"));
    QGridLayout* grid = GridOf(group);
    auto* heightLabel = Label(ControlId::lblSizeY, "lblSizeY");
    auto* height = NumberEdit(ControlId::edtSizeY, "edtSizeY");
    heightLabel->setBuddy(height);
    auto* widthLabel = Label(ControlId::lblSizeX, "lblSizeX");
    auto* width = NumberEdit(ControlId::edtSizeX, "edtSizeX");
    widthLabel->setBuddy(width);
    grid->addWidget(heightLabel, 0, 0);
    grid->addWidget(height, 0, 1);
    grid->setColumnMinimumWidth(2, 24);
    grid->addWidget(widthLabel, 0, 3);
    grid->addWidget(width, 0, 4);
    grid->setColumnStretch(5, 1);
    return group;
}

QGroupBox* Builder::CountGroup()
{
    QGroupBox* group = Group(T("作成枚数（最大100）"));
    QGridLayout* grid = GridOf(group);
    grid->addWidget(NumberEdit(ControlId::edtMake, "edtMake"), 0, 0);
    grid->setColumnStretch(1, 1);
    return group;
}

QGroupBox* Builder::PrefixGroup()
{
    QGroupBox* group = Group(T("プレフィックス"));
    GridOf(group)->addWidget(Edit(ControlId::edtPrefix, "edtPrefix"), 0, 0);
    return group;
}

QGroupBox* Builder::FileTypeGroup()
{
    QGroupBox* group = Group(T("出力ファイルタイプ"));
    QGridLayout* grid = GridOf(group);
    grid->addWidget(Radio(ControlId::rdbBmp, "rdbBmp"), 0, 0);
    grid->addWidget(Radio(ControlId::rdbJpeg, "rdbJpeg"), 1, 0);

    auto* quality = new QHBoxLayout;
    quality->setSpacing(4);
    auto* qualityLabel = Label(ControlId::lblQuality, "lblQuality");
    quality->addWidget(qualityLabel);
    quality->addSpacing(4);
    quality->addWidget(Label(ControlId::lblLow, "lblLow"));
    auto* bar = Add(ControlId::srbQuality, "srbQuality", new HorizontalScrollBar);
    bar->setRange(1, 100);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setMinimumWidth(60);
    qualityLabel->setBuddy(bar);
    quality->addWidget(bar, 1);
    quality->addWidget(Label(ControlId::lblHigh, "lblHigh"));
    quality->addSpacing(4);
    quality->addWidget(NumberEdit(ControlId::edtQuality, "edtQuality"));
    grid->addLayout(quality, 1, 1);

    grid->addWidget(Radio(ControlId::rdbPng, "rdbPng"), 2, 0);
    // Hidden, and then taking no room, unless its extended setting is on.
    auto* tiff = Radio(ControlId::rdbTiff, "rdbTiff");
    tiff->hide();
    grid->addWidget(tiff, 3, 0);
    grid->setColumnStretch(1, 1);
    return group;
}

QGroupBox* Builder::HtmlGroup()
{
    QGroupBox* group = Group(T("HTML出力"));
    QGridLayout* grid = GridOf(group);
    grid->addWidget(Check(ControlId::chbHtml, "chbHtml"), 0, 0);
    grid->addWidget(Button(ControlId::bbnHtml, "bbnHtml", QStyle::SP_FileDialogInfoView),
                    0, 1);
    grid->setColumnStretch(0, 1);
    return group;
}

QGroupBox* Builder::OutputGroup()
{
    QGroupBox* group = Group(T("ファイル出力先"));
    QGridLayout* grid = GridOf(group);
    auto* folder = Edit(ControlId::edtOutDirectory, "edtOutDirectory");
    grid->addWidget(folder, 0, 0);
    auto* browse = Button(ControlId::bbnOut, "bbnOut", QStyle::SP_DirOpenIcon);
    grid->addWidget(browse, 0, 1);
    grid->setColumnStretch(0, 1);
    return group;
}

QHBoxLayout* Builder::ButtonRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    auto* make = Button(ControlId::bbnExecute, "bbnExecute", QStyle::SP_DialogApplyButton);
    make->setDefault(true);
    row->addWidget(make);
    row->addWidget(Button(ControlId::bbnExit, "bbnExit", QStyle::SP_DialogCloseButton));
    row->addWidget(ViewButton(kPreviewButton, T("プレビュー(&W)"), QStyle::SP_FileDialogContentsView));
    row->addWidget(ViewButton(kExtendedButton, T("拡張設定(&O)..."), QStyle::SP_FileDialogListView));
    row->addStretch(1);
    row->addWidget(
        Button(ControlId::bbnAbout, "bbnAbout", QStyle::SP_MessageBoxInformation));
    row->addWidget(Button(ControlId::bbnHelp, "bbnHelp", QStyle::SP_DialogHelpButton));
    for (int i = 0; i < row->count(); ++i) {
        if (QWidget* button = row->itemAt(i)->widget()) {
            button->setMinimumWidth(96);
        }
    }
    return row;
}

void Builder::SetTabOrder()
{
    std::vector<QWidget*> order(widgets_.begin(), widgets_.end());
    const auto afterExit =
        order.begin() + static_cast<std::ptrdiff_t>(ControlId::bbnExit) + 1;
    order.insert(afterExit, viewButtons_.begin(), viewButtons_.end());
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

ControlWidgets Builder::Build()
{
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(SourceGroup());
    left->addWidget(MethodGroup());
    left->addStretch(1);

    auto* countAndPrefix = new QHBoxLayout;
    countAndPrefix->setSpacing(6);
    countAndPrefix->addWidget(CountGroup());
    countAndPrefix->addWidget(PrefixGroup(), 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(SizeGroup());
    right->addLayout(countAndPrefix);
    right->addWidget(FileTypeGroup());
    right->addWidget(HtmlGroup());
    right->addWidget(OutputGroup());
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(8);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    auto* separator = new QFrame;
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    auto* whole = new QVBoxLayout(window_);
    whole->setContentsMargins(8, 6, 8, 8);
    whole->setSpacing(6);
    whole->addLayout(columns, 1);
    whole->addWidget(separator);
    whole->addLayout(ButtonRow());

    SetTabOrder();
    return widgets_;
}

}  // namespace

ControlWidgets BuildMainWindowControls(QWidget* window)
{
    return Builder(window).Build();
}

}  // namespace qm
