// Plays the Flash content of a document through the bundled emulator. Only documents that
// hold a SWF load it. Its files come from the program folder in local pages and from the
// pane's own scheme elsewhere; this engine refuses fetch() of both, so the emulator's
// fetches of them go through XMLHttpRequest.
const flashContent = [
    'embed[src*=".swf" i]', 'embed[type="application/x-shockwave-flash" i]',
    'object[data*=".swf" i]', 'object[type="application/x-shockwave-flash" i]',
    'object param[name="movie" i][value*=".swf" i]',
].join(', ');
const localPage = location.protocol === 'file:';
const ruffleBase = localPage ? RUFFLE_FILE_BASE : RUFFLE_SCHEME_BASE;

function answeredByXhr(url) {
    return url.startsWith(RUFFLE_SCHEME_BASE) || (localPage && url.startsWith('file:'));
}

function fetchByXhr(url) {
    return new Promise((resolve, reject) => {
        const xhr = new XMLHttpRequest();
        xhr.open('GET', url);
        xhr.responseType = 'arraybuffer';
        xhr.onload = () => {
            const type = url.endsWith('.wasm') ? 'application/wasm'
                : (xhr.getResponseHeader('Content-Type') || 'application/octet-stream');
            const response = new Response(xhr.response, { status: 200, headers: { 'Content-Type': type } });
            // The emulator takes the movie's own address from the response: SharedObjects and
            // the movie's security sandbox depend on it.
            Object.defineProperty(response, 'url', { value: url });
            resolve(response);
        };
        xhr.onerror = () => reject(new TypeError('Failed to fetch ' + url));
        xhr.send();
    });
}

function installFetchShim() {
    const nativeFetch = window.fetch;
    window.fetch = function (input) {
        let url;
        try {
            url = new URL(input instanceof Request ? input.url : String(input), document.baseURI).href;
        } catch (error) {
            return nativeFetch.apply(this, arguments);
        }
        return answeredByXhr(url) ? fetchByXhr(url) : nativeFetch.apply(this, arguments);
    };
}

let loaded = false;
function loadRuffle() {
    if (loaded || window.RufflePlayer || !document.querySelector(flashContent))
        return;
    loaded = true;
    installFetchShim();
    window.RufflePlayer = {
        config: {
            publicPath: ruffleBase,
            autoplay: 'on',
            unmuteOverlay: 'hidden',
            splashScreen: false,
            letterbox: 'on',
            allowFullscreen: true,
            warnOnUnsupportedContent: false,
            logLevel: 'error',
        },
    };
    const script = document.createElement('script');
    script.src = ruffleBase + 'ruffle.js';
    (document.head || document.documentElement).appendChild(script);
}

loadRuffle();
if (!loaded)
    window.addEventListener('load', loadRuffle, { once: true });
