#pragma once
#include "platform/h264/H264Picture.h"

// Something that shows a preview channel's pictures: a canvas cell or a pane of the preview
// window. OnYuvFrame runs on the channel's display thread with the table of views locked; the
// picture's planes are valid only during the call. A view copies what it needs and hands it to
// the UI thread, which alone touches windows and SDL objects. It must never wait for the UI
// thread here: the UI thread may itself be waiting to remove a view.
class YuvFrameView {
public:
    virtual void OnYuvFrame(const H264Picture& picture) = 0;

protected:
    ~YuvFrameView() = default;
};

// What a registered view is; kept with each entry of a channel's view table.
enum class ChannelViewKind : uint32_t { Cell = 0, Pane = 1 };
