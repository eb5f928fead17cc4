// SPDX-License-Identifier: MIT
#include "app/pages/GalleryMarkup.h"

#include <algorithm>
#include <cstdio>

#include "core/Language.h"
#include "core/Translate.h"

namespace qm {

std::string EscapeHtml(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

namespace {

// Edge of a swatch in CSS pixels; the tile is shown at a size that repeats
// it kRepeatsPerSwatch times along its longer side.
constexpr int kSwatchSize = 210;
constexpr int kRepeatsPerSwatch = 3;

// A relative URL naming the file of the relative path: every byte but the
// unreserved ones and the folder separators percent-encoded, so no name is
// read as a query or fragment, and the URL needs no quoting in CSS.
std::string FileUrl(const std::string& name)
{
    std::string url;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
            byte == '~' || byte == '/') {
            url += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", byte);
            url += hex;
        }
    }
    return url.empty() || url[0] != '.' ? url : "./" + url;
}

// The page around the swatches, in pieces between its texts: the language
// of the page, its title, and the captions of two buttons of the view.
constexpr const char* kHeadBeforeLanguage = R"page(<!DOCTYPE html>
<html lang=")page";

constexpr const char* kHeadBeforeTitle = R"page(">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>)page";

constexpr const char* kHeadAfterTitle = R"page(</title>
<style>
body { margin: 0; font-family: sans-serif; background: #f0f0f0; color: #222; }
#grid { display: flex; flex-wrap: wrap; gap: 16px; padding: 16px; }
.swatch { margin: 0; cursor: pointer; text-align: center; font-size: 13px; }
.swatch .repeat { width: 210px; height: 210px; background-repeat: repeat; border: 1px solid #999; }
.swatch:focus .repeat, .swatch:hover .repeat { outline: 3px solid #36c; }
#view { position: fixed; inset: 0; display: none; background-color: #808080; background-repeat: repeat; }
#view.single { background-repeat: no-repeat; background-position: center; }
#bar { position: fixed; top: 8px; left: 8px; display: none; padding: 6px 8px;
  background: rgba(255, 255, 255, 0.9); border-radius: 4px; font-size: 13px; }
#bar button.on { font-weight: bold; }
body.viewing #grid { display: none; }
body.viewing #view, body.viewing #bar { display: block; }
)page";

constexpr const char* kHeadAfterStyle = R"page(</style>
</head>
<body>
<main id="grid">
)page";

constexpr const char* kTailBeforeSingle = R"page(</main>
<div id="view"></div>
<div id="bar">
<button type="button" data-zoom="0.5">50 %</button>
<button type="button" data-zoom="1">100 %</button>
<button type="button" data-zoom="2">200 %</button>
<button type="button" data-zoom="single">)page";

constexpr const char* kTailBeforeBack = R"page(</button>
<button type="button" id="back">)page";

constexpr const char* kTailAfterBack = R"page( (Esc)</button>
<span id="caption"></span>
</div>
<script>
"use strict";
const swatches = [...document.querySelectorAll(".swatch")];
const view = document.getElementById("view");
const caption = document.getElementById("caption");
let shown = -1;
let zoom = "1";

function show(index) {
  shown = (index + swatches.length) % swatches.length;
  const s = swatches[shown].dataset;
  const scale = zoom === "single" ? 1 : Number(zoom);
  view.style.backgroundImage = "url(" + s.url + ")";
  view.style.backgroundSize = (s.width * scale) + "px " + (s.height * scale) + "px";
  view.classList.toggle("single", zoom === "single");
  caption.textContent = s.name + "  " + s.width + " × " + s.height;
  for (const b of document.querySelectorAll("#bar [data-zoom]")) {
    b.classList.toggle("on", b.dataset.zoom === zoom);
  }
  document.body.classList.add("viewing");
}

function back() {
  document.body.classList.remove("viewing");
  if (shown >= 0) {
    swatches[shown].focus();
  }
  shown = -1;
}

swatches.forEach((swatch, index) => {
  swatch.addEventListener("click", () => show(index));
  swatch.addEventListener("keydown", e => { if (e.key === "Enter") show(index); });
});
for (const b of document.querySelectorAll("#bar [data-zoom]")) {
  b.addEventListener("click", () => { zoom = b.dataset.zoom; show(shown); });
}
document.getElementById("back").addEventListener("click", back);
document.addEventListener("keydown", e => {
  if (shown < 0) return;
  if (e.key === "ArrowLeft") show(shown - 1);
  else if (e.key === "ArrowRight") show(shown + 1);
  else if (e.key === "Escape") back();
  else return;
  e.preventDefault();
});
</script>
</body>
</html>
)page";

}  // namespace

std::string GalleryHead(const std::string& extraStyle)
{
    return std::string(kHeadBeforeLanguage) + ShownLanguage() + kHeadBeforeTitle + T("ギャラリー") +
           kHeadAfterTitle + extraStyle + kHeadAfterStyle;
}

std::string GallerySwatches(const GalleryTile& tile, const std::string& tileFolder)
{
    const auto swatch = [&tileFolder](const std::string& fileName, int width, int height) {
        const int longer = std::max({width, height, 1});
        const double shown = static_cast<double>(kSwatchSize) / kRepeatsPerSwatch / longer;
        char size[64];
        std::snprintf(size, sizeof size, "%.2fpx %.2fpx", width * shown, height * shown);
        const std::string url = EscapeHtml(FileUrl(tileFolder + fileName));
        const std::string name = EscapeHtml(fileName);
        const std::string widthText = std::to_string(width);
        const std::string heightText = std::to_string(height);
        std::string figure = "<figure class=\"swatch\" tabindex=\"0\" data-url=\"" + url +
                             "\" data-name=\"" + name + "\" data-width=\"" + widthText +
                             "\" data-height=\"" + heightText + "\">\n";
        figure += "<div class=\"repeat\" style=\"background-image: url(" + url +
                  "); background-size: " + size + ";\"></div>\n";
        figure += "<figcaption>" + name + "<br>" + widthText + " × " + heightText + "</figcaption>\n";
        return figure + "</figure>\n";
    };
    if (tile.Variants.empty()) {
        return swatch(tile.Name, tile.Width, tile.Height);
    }
    std::string family = "<div class=\"family\" style=\"display: flex; gap: 8px; padding: 8px; "
                         "border: 1px solid #bbb;\">\n";
    family += swatch(tile.Name, tile.Width, tile.Height);
    for (const std::string& variant : tile.Variants) {
        family += swatch(variant, tile.Width, tile.Height);
    }
    return family + "</div>\n";
}

std::string GalleryTail()
{
    return std::string(kTailBeforeSingle) + T("1枚だけ") + kTailBeforeBack + T("一覧へ") +
           kTailAfterBack;
}

}  // namespace qm
