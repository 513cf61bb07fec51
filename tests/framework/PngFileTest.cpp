// The PNG writer of the demo's screenshots: what it writes, the system's own image decoder
// reads back pixel for pixel.
#include "ComPointer.h"
#include "PngFile.h"
#include "Pump.h"
#include "Text.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <wincodec.h>

#include <string>
#include <vector>

namespace {

// A window with flat areas, stripes and text: long matches, short ones and none.
WindowImage DrawnImage(HWND hWnd)
{
    const HDC hdc = GetDC(hWnd);
    RECT client = {};
    GetClientRect(hWnd, &client);
    FillRect(hdc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int x = 0; x < client.right; x += 7) {
        const RECT stripe = {x, 20, x + 3, 60};
        const HBRUSH hBrush = CreateSolidBrush(RGB(x % 256, 255 - x % 256, 90));
        FillRect(hdc, &stripe, hBrush);
        DeleteObject(hBrush);
    }
    TextOutW(hdc, 4, 64, L"kvVelmora 0123456789 \\#{}", 25);
    ReleaseDC(hWnd, hdc);
    return WindowImage::Capture(hWnd);
}

std::wstring TempPngPath()
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"velmora-png-test.png";
}

} // namespace

TEST(PngFileTest, WritesWhatTheSystemDecoderReadsBackPixelForPixel)
{
    const HWND hFrame = CreateTestFrame(300, 90);
    PumpUntilIdle();
    const WindowImage image = DrawnImage(hFrame);
    ASSERT_FALSE(image.IsEmpty());
    const std::wstring path = TempPngPath();
    ASSERT_TRUE(PngFile::Save(image, WideToUtf8(path)));

    CComPointer<IWICImagingFactory> pFactory;
    ASSERT_EQ(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                               reinterpret_cast<void**>(pFactory.Out())),
              S_OK);
    CComPointer<IWICBitmapDecoder> pDecoder;
    ASSERT_EQ(pFactory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  pDecoder.Out()),
              S_OK);
    CComPointer<IWICBitmapFrameDecode> pFrame;
    ASSERT_EQ(pDecoder->GetFrame(0, pFrame.Out()), S_OK);
    UINT width = 0, height = 0;
    pFrame->GetSize(&width, &height);
    ASSERT_EQ(static_cast<int>(width), image.Width());
    ASSERT_EQ(static_cast<int>(height), image.Height());
    CComPointer<IWICFormatConverter> pConverter;
    ASSERT_EQ(pFactory->CreateFormatConverter(pConverter.Out()), S_OK);
    ASSERT_EQ(pConverter->Initialize(pFrame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom),
              S_OK);
    const UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
    ASSERT_EQ(pConverter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()), S_OK);
    int nDifferent = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const BYTE* p = &pixels[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            nDifferent += image.Pixel(x, y) != RGB(p[2], p[1], p[0]);
        }
    }
    EXPECT_EQ(nDifferent, 0);
    DeleteFileW(path.c_str());
    DestroyWindow(hFrame);
}
