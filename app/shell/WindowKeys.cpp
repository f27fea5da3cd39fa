#include "WindowKeys.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace corvel {

namespace {

class KeyRouter : public QObject {
public:
    static KeyRouter &instance() {
        static QPointer<KeyRouter> router;
        if (!router) {
            router = new KeyRouter;
            router->setParent(qApp);
            qApp->installEventFilter(router);
        }
        return *router;
    }

    void attach(QWidget *window, WindowKeyHandler handler) {
        const bool known = m_handlers.contains(window);
        m_handlers.insert(window, std::move(handler));
        if (!known)
            connect(window, &QObject::destroyed, this,
                    [this](QObject *o) { m_handlers.remove(static_cast<QWidget *>(o)); });
    }
    void detach(QWidget *window) {
        m_handlers.remove(window);
        disconnect(window, &QObject::destroyed, this, nullptr);
    }
    void observe(std::function<void(const QEvent *)> observer) {
        m_observers.push_back(std::move(observer));
    }
    QWidget *lastPress(int key) const { return m_pressedIn.value(key).data(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::ApplicationDeactivate) {
            // Keys released while another program has the keyboard are never
            // reported here.
            m_pressedIn.clear();
            notify(event);
            return false;
        }
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w) return false;
        notify(event);
        auto *key = static_cast<QKeyEvent *>(event);
        QWidget *window = w->window();
        if (type == QEvent::KeyPress)
            m_pressedIn.insert(key->key(), window);
        else if (m_pressedIn.value(key->key()) != window)
            return false;
        const auto it = m_handlers.constFind(window);
        if (it == m_handlers.constEnd()) return false;
        // Copy: the handler may close and destroy its window.
        const WindowKeyHandler handler = it.value();
        return handler(w, key);
    }

private:
    void notify(const QEvent *event) {
        for (const auto &o : m_observers)
            o(event);
    }

    QHash<QWidget *, WindowKeyHandler> m_handlers;
    QHash<int, QPointer<QWidget>> m_pressedIn;
    std::vector<std::function<void(const QEvent *)>> m_observers;
};

} // namespace

void AttachWindowKeys(QWidget *window, WindowKeyHandler handler) {
    if (!window || !qApp) return;
    KeyRouter::instance().attach(window, std::move(handler));
}

void AttachDialogKeys(QWidget *dialog, std::vector<ReleaseKey> onRelease,
                      std::function<bool(QKeyEvent *)> onPress) {
    AttachWindowKeys(dialog, [dialog, onRelease = std::move(onRelease),
                              onPress = std::move(onPress)](QWidget *, QKeyEvent *e) {
        if (!dialog->isVisible()) return false;
        const bool press = e->type() == QEvent::KeyPress;
        if (press && onPress && onPress(e)) return true;
        for (const ReleaseKey &k : onRelease) {
            if (k.key != e->key()) continue;
            if (press) return true;
            if (e->isAutoRepeat()) return false;
            k.action();
            return true;
        }
        return false;
    });
}

void DetachWindowKeys(QWidget *window) {
    if (!qApp) return;
    KeyRouter::instance().detach(window);
}

void AddKeyObserver(std::function<void(const QEvent *)> observer) {
    if (!qApp) return;
    KeyRouter::instance().observe(std::move(observer));
}

QWidget *WindowOfLastPress(int key) {
    if (!qApp) return nullptr;
    return KeyRouter::instance().lastPress(key);
}

} // namespace corvel
