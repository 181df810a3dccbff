// window.open of a private link opens nothing: its exact text goes to the client's world,
// which raises the new-window and before-navigate events. Other addresses open as usual.
const nativeOpen = window.open;
window.open = function (url) {
    const text = url === undefined ? '' : String(url).trim();
    if (!isPrivateLink(text))
        return nativeOpen.apply(this, arguments);
    document.dispatchEvent(new CustomEvent('tamsa-window-open', { detail: text }));
    return null;
};
