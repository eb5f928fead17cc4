// SPDX-License-Identifier: MIT
#pragma once

#include <QFileDialog>

class QLabel;

namespace qm {

// The open-file dialog for a source picture: the four picture filters with
// their descriptions as the program names them, the first one selected, and
// a preview of the current picture beside the file list. The file and its
// folder must exist.
class PictureFileDialog : public QFileDialog {
    Q_OBJECT

public:
    explicit PictureFileDialog(QWidget* parent);

    // The preview of the picture under the cursor (empty for none).
    const QLabel* Preview() const { return preview_; }

private:
    void ShowDescriptions();
    void ShowPreview(const QString& path);

    QLabel* preview_;
};

}  // namespace qm
