#pragma once
// The start and end of a user gesture on the EQ graph that may write several values: a marker
// drag from press to release, a run of right-button Q steps. Everything set value writes in
// between belongs to that one gesture (the undo history keeps it as one step).

namespace zt {

class EditGesture {
public:
    virtual ~EditGesture() = default;
    virtual void GestureBegins() = 0;
    virtual void GestureEnds() = 0;
};

}  // namespace zt
