#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>

// Every window of the program exists at most once and is loaded on first use: any use of it
// or of one of its controls goes through get(), which creates the window hidden and runs its
// Form_Load the first time. Hiding a window keeps it and its contents; unload() discards it,
// so the next get() loads a fresh one and runs Form_Load again.
template <class Form> class Forms {
public:
    static Form* get()
    {
        if (!s_form) {
            s_form = new Form();
            s_form->Form_Load();
            if (s_wire)
                s_wire(s_form);
        }
        return s_form;
    }

    // Runs `wire` on the window each time it is loaded (now, if it is loaded already), after
    // its Form_Load: the window that listens to its signals connects them there.
    static void wireOnLoad(std::function<void(Form*)> wire)
    {
        s_wire = std::move(wire);
        if (s_form && s_wire)
            s_wire(s_form);
    }

    // Shows the window (loading it first if need be) in front of the others, with the focus.
    static Form* showActive()
    {
        Form* form = get();
        form->show();
        form->raise();
        form->activateWindow();
        return form;
    }

    static bool isLoaded() { return !s_form.isNull(); }

    // Hides the window and forgets it at once; the object itself is deleted once control
    // is back in the event loop, because the caller may be one of its own handlers.
    static void unload()
    {
        if (!s_form)
            return;
        Form* form = s_form;
        s_form = nullptr;
        form->hide();
        form->deleteLater();
    }

    // Deletes the window immediately. Only for callers outside the window's own handlers,
    // such as a test resetting the program between cases.
    static void unloadNow()
    {
        delete s_form.data();
        s_form = nullptr;
    }

private:
    static inline QPointer<Form> s_form;
    static inline std::function<void(Form*)> s_wire;
};
