// The client's side of every document (its own script world). It reports to the pane:
//   navigate    a private link the document is about to follow, as written;
//   newWindow   window.open of a private link;
//   contextMenu the raw href under a right-click the client answers itself;
//   frameError  the address a frame failed to load.
// Only the top document holds the channel; frames hand their reports up to it.
const relayKey = 'tamsa-pane-report';
const isTop = window.top === window;
let pane = null;
const waiting = [];

// A longer text is not reported at all (cutting it could make another link of it): no link
// the client acts on comes near it, and a page must not push megabytes through the channel
// with every click. The same bound as PageBridge::kLongestReport, which enforces it too.
const longestReport = 64 * 1024;

function report(kind, text) {
    text = String(text);
    if (text.length > longestReport)
        return;
    if (!isTop)
        window.top.postMessage({ [relayKey]: { kind: kind, text: text } }, '*');
    else if (pane)
        pane.report(kind, text);
    else
        waiting.push([kind, text]);
}

if (isTop) {
    new QWebChannel(qt.webChannelTransport, (channel) => {
        pane = channel.objects.pane;
        for (const [kind, text] of waiting.splice(0))
            pane.report(kind, text);
    });
    window.addEventListener('message', (event) => {
        const message = event.data && event.data[relayKey];
        if (message && event.source !== window)
            report(message.kind, message.text);
    });
}

function linkUnder(event) {
    for (const node of event.composedPath()) {
        if (node instanceof Element && (node.localName === 'a' || node.localName === 'area') &&
            node.hasAttribute('href'))
            return node;
    }
    return null;
}

// A click on a private link: the attribute text exactly, and the engine never follows it.
// Runs after the page's own handlers, so a page that handles its click itself keeps it.
function onLinkClick(event) {
    if (event.defaultPrevented || (event.type === 'auxclick' && event.button !== 1))
        return;
    const link = linkUnder(event);
    if (!link)
        return;
    const text = link.getAttribute('href').trim();
    if (!isPrivateLink(text))
        return;
    event.preventDefault();
    report('navigate', text);
}
window.addEventListener('click', onLinkClick);
window.addEventListener('auxclick', onLinkClick);

// Everything else that leaves the document for a private link (a script setting location,
// a form, a link the page clicked itself) passes here first; the engine itself would only
// hand the pane a rewritten URL.
if (window.navigation) {
    window.navigation.addEventListener('navigate', (event) => {
        const text = event.destination.url;
        if (!event.cancelable || !isPrivateLink(text))
            return;
        event.preventDefault();
        report('navigate', text);
    });
}

document.addEventListener('tamsa-window-open', (event) => report('newWindow', event.detail));

// The pane's menu policy arrives as window.tamsaMenuPolicy = { mode, frames } in this world.
window.addEventListener('contextmenu', (event) => {
    const policy = window.tamsaMenuPolicy || { mode: 'browser', frames: [] };
    const answered = policy.mode === 'client' && (isTop || policy.frames.includes(window.name));
    if (policy.mode === 'none' || answered)
        event.preventDefault();
    if (answered) {
        const link = linkUnder(event);
        report('contextMenu', link ? link.getAttribute('href') : '');
    }
}, true);

// The engine reports failed loads of the top document only; a frame that failed shows the
// engine's error page, which names the address it could not load.
if (!isTop && location.protocol === 'chrome-error:') {
    document.addEventListener('DOMContentLoaded', () => {
        for (const script of document.scripts) {
            const match = /"failedUrl":("(?:[^"\\]|\\.)*")/.exec(script.textContent);
            if (match) {
                report('frameError', JSON.parse(match[1]));
                return;
            }
        }
    });
}
