#pragma once

#include <QImage>

class QVideoFrame;

namespace cardwise::gui {

// The picture of a video frame, converted on the CPU. QVideoFrame::toImage() converts YUV
// frames with the GPU when the platform offers OpenGL, and a virtual display's software
// OpenGL gives black pictures; the planar and packed YUV formats GStreamer delivers are
// converted here instead (BT.601 or BT.709, video or full range), anything else by Qt.
QImage videoFrameImage(const QVideoFrame& frame);

}  // namespace cardwise::gui
