#pragma once
#include "platform/h264/H264Decoder.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

// A stand-in decoder for channel tests: every packet becomes one picture of the size it was
// created for, with padded strides; every byte of the Y plane holds the packet's first byte, so
// a view can tell which packet a picture came from. It can be held at a gate or slowed down.
class FakeDecoder final : public H264Decoder {
public:
    struct Control {
        std::mutex Mutex;
        std::condition_variable Wake;
        bool GateClosed = false;
        std::atomic<int> Entered{0};
        std::chrono::milliseconds Delay{0};
        int StridePad = 32;

        void Open() {
            std::lock_guard lock(Mutex);
            GateClosed = false;
            Wake.notify_all();
        }
    };

    FakeDecoder(const H264DecoderSettings& settings, Control& control)
        : Width(settings.Width), Height(settings.Height), Ctl(control) {}

    int Decode(const uint8_t* data, size_t length, const PictureSink& sink) override {
        Ctl.Entered.fetch_add(1);
        {
            std::unique_lock lock(Ctl.Mutex);
            Ctl.Wake.wait(lock, [this] { return !Ctl.GateClosed; });
        }
        if (Ctl.Delay.count()) std::this_thread::sleep_for(Ctl.Delay);
        if (!data || length == 0) return 0;
        const int chromaW = H264Picture::ChromaWidth(Width), chromaH = H264Picture::ChromaHeight(Height);
        H264Picture picture;
        picture.Width = Width;
        picture.Height = Height;
        picture.Strides[0] = Width + Ctl.StridePad;
        picture.Strides[1] = picture.Strides[2] = chromaW + Ctl.StridePad / 2;
        // Exactly stride x rows per plane, so a reader that overruns is caught by ASan.
        Y.assign(static_cast<size_t>(picture.Strides[0]) * Height, data[0]);
        U.assign(static_cast<size_t>(picture.Strides[1]) * chromaH, 0x40);
        V.assign(static_cast<size_t>(picture.Strides[2]) * chromaH, 0xC0);
        picture.Planes[0] = Y.data();
        picture.Planes[1] = U.data();
        picture.Planes[2] = V.data();
        sink(picture);
        return 1;
    }
    int Flush(const PictureSink&) override { return 0; }

private:
    int Width, Height;
    Control& Ctl;
    std::vector<uint8_t> Y, U, V;
};
