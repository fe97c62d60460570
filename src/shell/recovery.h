// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// At start, the autosaves of runs that did not end cleanly: each is offered
// with the question "Recover Painting?". Yes opens it as an unsaved painting
// titled with the file it belongs to; No deletes it; a box closed without an
// answer keeps it for a later start. A copy that cannot be read is refused
// with the usual message and deleted only when the user agrees. Once one
// painting is recovered, the others wait for a later start, so that no
// recovered painting is replaced unsaved.
//
// Asked by the first instance only, once its hand-over socket listens: a
// later start hands its painting over while the question is up, and the
// painting opens once it is answered.
namespace sc {

struct Program;

inline constexpr const char* kRecoverCaption = "Recover Painting?";

void offerRecovery(Program& p);

}  // namespace sc
