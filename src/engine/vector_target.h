// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Marks the code between SC_TARGET_AVX2_BEGIN (or SC_TARGET_AVX512_BEGIN)
// and SC_TARGET_END as compiled for that instruction set, so that one file
// of a portable build holds the AVX2 or AVX-512 code that runs only where
// engine/vector_path.h finds the processor able. SC_VECTOR_TARGETS is 1
// where such code can be compiled at all (x86-64 with GCC or clang).
//
// AVX2 does not include fused multiply-add; with clang, AVX-512 does, but
// nothing is fused: every vector operation is an explicit intrinsic and
// contraction is off in the whole build.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SC_VECTOR_TARGETS 1
#else
#define SC_VECTOR_TARGETS 0
#endif

#if defined(__clang__)
// _Pragma takes one string literal: the formatter must not split these.
// clang-format off
#define SC_TARGET_AVX2_BEGIN _Pragma("clang attribute push(__attribute__((target(\"avx2\"))), apply_to = function)")
#define SC_TARGET_AVX512_BEGIN \
    _Pragma("clang attribute push(__attribute__((target(\"avx2,avx512f,avx512vl,avx512dq,avx512bw,prfchw\"))), apply_to = function)")
#define SC_TARGET_END _Pragma("clang attribute pop")
// clang-format on
#else
#define SC_TARGET_AVX2_BEGIN _Pragma("GCC push_options") _Pragma("GCC target(\"avx2\")") _Pragma("GCC diagnostic push")
// GCC 12 reports the undefined vectors inside its own AVX-512 intrinsics
// (_mm512_undefined_*) as maybe uninitialised; they are meant to be.
#define SC_TARGET_AVX512_BEGIN                                                                            \
    _Pragma("GCC push_options") _Pragma("GCC target(\"avx2,avx512f,avx512vl,avx512dq,avx512bw,prfchw\")") \
        _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wmaybe-uninitialized\"")        \
            _Pragma("GCC diagnostic ignored \"-Wuninitialized\"")
#define SC_TARGET_END _Pragma("GCC diagnostic pop") _Pragma("GCC pop_options")
#endif
