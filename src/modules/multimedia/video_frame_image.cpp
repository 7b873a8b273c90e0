#include "modules/multimedia/video_frame_image.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <algorithm>
#include <cmath>

namespace cardwise::gui {

namespace {

using Format = QVideoFrameFormat;

struct Yuv {
    int y;
    int u;
    int v;
};

// Where one pixel's luma and chroma bytes are, per format.
class Sampler {
  public:
    explicit Sampler(const QVideoFrame& f) : format_(f.pixelFormat()) {
        for (int i = 0; i < f.planeCount() && i < 3; ++i) {
            plane_[i] = f.bits(i);
            stride_[i] = f.bytesPerLine(i);
        }
    }

    static bool handles(Format::PixelFormat format) {
        switch (format) {
            case Format::Format_YUV420P:
            case Format::Format_YV12:
            case Format::Format_YUV422P:
            case Format::Format_NV12:
            case Format::Format_NV21:
            case Format::Format_UYVY:
            case Format::Format_YUYV:
            case Format::Format_AYUV:
            case Format::Format_Y8:
                return true;
            default:
                return false;
        }
    }

    Yuv at(int x, int y) const {
        const uchar* row = plane_[0] + static_cast<qsizetype>(y) * stride_[0];
        switch (format_) {
            case Format::Format_YUV420P:
                return {row[x], chroma(1, x / 2, y / 2), chroma(2, x / 2, y / 2)};
            case Format::Format_YV12:
                return {row[x], chroma(2, x / 2, y / 2), chroma(1, x / 2, y / 2)};
            case Format::Format_YUV422P:
                return {row[x], chroma(1, x / 2, y), chroma(2, x / 2, y)};
            case Format::Format_NV12:
                return {row[x], chroma(1, x / 2 * 2, y / 2), chroma(1, x / 2 * 2 + 1, y / 2)};
            case Format::Format_NV21:
                return {row[x], chroma(1, x / 2 * 2 + 1, y / 2), chroma(1, x / 2 * 2, y / 2)};
            case Format::Format_UYVY: {
                const uchar* pair = row + x / 2 * 4;
                return {pair[1 + (x % 2) * 2], pair[0], pair[2]};
            }
            case Format::Format_YUYV: {
                const uchar* pair = row + x / 2 * 4;
                return {pair[(x % 2) * 2], pair[1], pair[3]};
            }
            case Format::Format_AYUV:
                return {row[x * 4 + 1], row[x * 4 + 2], row[x * 4 + 3]};
            default:
                return {row[x], 128, 128};
        }
    }

  private:
    int chroma(int plane, int x, int y) const {
        return plane_[plane][static_cast<qsizetype>(y) * stride_[plane] + x];
    }

    Format::PixelFormat format_;
    const uchar* plane_[3] = {};
    int stride_[3] = {};
};

uchar clampByte(float value) {
    return static_cast<uchar>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

QImage videoFrameImage(const QVideoFrame& source) {
    if (!source.isValid()) return {};
    const Format format = source.surfaceFormat();
    if (!Sampler::handles(format.pixelFormat())) return source.toImage();
    QVideoFrame frame(source);
    if (!frame.map(QVideoFrame::ReadOnly)) return {};

    const bool hd = format.colorSpace() == Format::ColorSpace_BT709;
    const bool full = format.colorRange() == Format::ColorRange_Full;
    const float kr = hd ? 1.5748f : 1.402f;
    const float kgu = hd ? 0.1873f : 0.344136f;
    const float kgv = hd ? 0.4681f : 0.714136f;
    const float kb = hd ? 1.8556f : 1.772f;
    const float yScale = full ? 1.0f : 255.0f / 219.0f;
    const float cScale = full ? 1.0f : 255.0f / 224.0f;
    const int yOffset = full ? 0 : 16;

    const Sampler sampler(frame);
    QImage image(frame.width(), frame.height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const Yuv p = sampler.at(x, y);
            const float luma = static_cast<float>(p.y - yOffset) * yScale;
            const float u = static_cast<float>(p.u - 128) * cScale;
            const float v = static_cast<float>(p.v - 128) * cScale;
            out[x] = qRgb(clampByte(luma + kr * v), clampByte(luma - kgu * u - kgv * v),
                          clampByte(luma + kb * u));
        }
    }
    frame.unmap();
    if (format.scanLineDirection() == Format::BottomToTop) image = image.mirrored();
    return image;
}

}  // namespace cardwise::gui
