// SPDX-License-Identifier: MIT
#pragma once

namespace qm {

// The controls of the main window that the settings model names, for focus
// moves and for the view's bindings.
enum class ControlId {
    rdbImageFile,
    bbnBrows,
    edtFileName,
    rdbSelectImageFolder,
    bbnSelectImageFolder,
    edtSelectImageFolder,
    rdbSelectImageClipBoard,
    rdbBasic,
    cmbTransMethod,
    bbnDetail,
    rdbDll,
    edtDll,
    bbnDll,
    ckbShuffle,
    ckbShadeOff,
    ckbBrightness,
    lblSizeY,
    edtSizeY,
    lblSizeX,
    edtSizeX,
    edtMake,
    edtPrefix,
    rdbBmp,
    rdbJpeg,
    lblQuality,
    lblLow,
    lblHigh,
    srbQuality,
    edtQuality,
    rdbPng,
    // Shown only with the extended setting TiffOutput.
    rdbTiff,
    chbHtml,
    bbnHtml,
    edtOutDirectory,
    bbnOut,
    bbnExecute,
    bbnExit,
    bbnAbout,
    bbnHelp,
};

}  // namespace qm
