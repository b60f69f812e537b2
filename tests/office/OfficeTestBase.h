// Shared set-up of the Office bridge tests: COM, the ProgID registrations and the message box
// catcher, plus the arithmetic a test needs to predict where the bridge puts things.
#pragma once
#include "Brevix.h"
#include "OfficeFixture.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class OfficeTest : public testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        m_pRegistration = std::make_unique<CClassRegistration>();
        m_pCatcher = std::make_unique<CMessageCatcher>();
    }
    void TearDown() override {
        Brevix_Office_End();
        Brevix_PP_EndOle();
        m_pCatcher.reset();
        m_pRegistration.reset();
    }
    std::vector<std::string> Messages() { return m_pCatcher->Texts(); }

    std::unique_ptr<CClassRegistration> m_pRegistration;
    std::unique_ptr<CMessageCatcher> m_pCatcher;
};

// The document point the bridge maps a screen coordinate to, from the scribble's bounds.
inline float Mapped(LONG v, LONG nFrom, LONG nTo, float fStart, float fHalfSize) {
    return static_cast<float>((static_cast<double>(v) - nFrom) * (2.0 * fHalfSize) /
                                  (static_cast<double>(nTo) - nFrom + 1) +
                              fStart);
}

// A polyline's array as the fakes log it, "[x y; x y; ...]": the screen points mapped from the
// ink rectangle rcInk, fAddX added to each x.
inline std::string PolylineText(const std::vector<POINT>& points, const RECT& rcInk,
                                const CScribble& s, float fAddX) {
    std::string str = "[";
    for (const POINT& pt : points) {
        char sz[64];
        std::snprintf(sz, sizeof sz, "%s%.3f %.3f", str.size() > 1 ? "; " : "",
                      Mapped(pt.x, rcInk.left, rcInk.right, s.fLeft, s.fWidth) + fAddX,
                      Mapped(pt.y, rcInk.top, rcInk.bottom, s.fTop, s.fHeight));
        str += sz;
    }
    return str + "]";
}

inline float MappedSize(LONG a, LONG b, LONG nFrom, LONG nTo, float fHalfSize) {
    return static_cast<float>((static_cast<double>(b) - a + 1) * (2.0 * fHalfSize) /
                              (static_cast<double>(nTo) - nFrom + 1));
}

inline std::string Text(const char* pszFormat, long a, long b) {
    char sz[128];
    std::snprintf(sz, sizeof sz, pszFormat, a, b);
    return sz;
}
