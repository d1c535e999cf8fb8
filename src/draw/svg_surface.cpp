#include "draw/svg_surface.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/text.h"

namespace pakkon {
namespace {

constexpr float kTwipsPerPixel = 15;
// 9 points, the picture box's usual caption size; IPA Gothic's ascent is 0.88 em.
constexpr float kFontSize = 180;
constexpr float kAscent = 158;

// Locale-independent and short: at most two decimals, no trailing zeros.
std::string num(float v) {
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
  std::string s(buf, ec == std::errc() ? end : buf);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::string colourText(int32_t colour) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  return buf;
}

std::string escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string box(float x1, float y1, float x2, float y2) {
  return "x=\"" + num(std::min(x1, x2)) + "\" y=\"" + num(std::min(y1, y2)) + "\" width=\"" + num(std::fabs(x2 - x1)) +
         "\" height=\"" + num(std::fabs(y2 - y1)) + "\"";
}

}  // namespace

SvgSurface::SvgSurface(float widthTwips, float heightTwips) : width_(widthTwips), height_(heightTwips) {}

std::string SvgSurface::stroke(int32_t colour) const {
  return "stroke=\"" + colourText(colour) + "\" stroke-width=\"" + num(static_cast<float>(pen_) * kTwipsPerPixel) +
         "\"";
}

void SvgSurface::line(float x1, float y1, float x2, float y2, int32_t colour) {
  body_ += "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" + num(y2) + "\" " +
           stroke(colour) + "/>\n";
}

void SvgSurface::rectangle(float x1, float y1, float x2, float y2, int32_t colour) {
  body_ += "<rect " + box(x1, y1, x2, y2) + " fill=\"none\" " + stroke(colour) + "/>\n";
}

void SvgSurface::fillRectangle(float x1, float y1, float x2, float y2, int32_t colour) {
  body_ += "<rect " + box(x1, y1, x2, y2) + " fill=\"" + colourText(colour) + "\"/>\n";
}

void SvgSurface::text(float x, float y, const std::string& caption) {
  body_ += "<text x=\"" + num(x) + "\" y=\"" + num(y + kAscent) + "\">" + escaped(caption) + "</text>\n";
}

std::string SvgSurface::document() const {
  const std::string w = num(width_), h = num(height_);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         fncStr(fncCLng(width_ / kTwipsPerPixel)) + "\" height=\"" + fncStr(fncCLng(height_ / kTwipsPerPixel)) +
         "\" viewBox=\"0 0 " + w + " " + h +
         "\">\n"
         "<rect x=\"0\" y=\"0\" width=\"" +
         w + "\" height=\"" + h +
         "\" fill=\"#ffffff\"/>\n"
         "<g shape-rendering=\"crispEdges\" font-family=\"'IPAGothic', 'IPAPGothic', "
         "'Noto Sans CJK JP', 'MS UI Gothic', sans-serif\" font-size=\"" +
         num(kFontSize) + "\" fill=\"#000000\">\n" + body_ + "</g>\n</svg>\n";
}

IoError SvgSurface::save(const std::string& path) const { return fncFile_writeAtomic(path, document()); }

}  // namespace pakkon
