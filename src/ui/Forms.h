#pragma once

#include <QPointer>
#include <QWidget>

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
        }
        return s_form;
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
};
