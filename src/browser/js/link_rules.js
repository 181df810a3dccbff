// Shared by the client's scripts: a private link is text whose scheme the engine does not
// load (the list is the client's own, filled in when the script is built).
const engineSchemes = ENGINE_SCHEMES;
function isPrivateLink(text) {
    const match = /^([A-Za-z][A-Za-z0-9+.-]*):/.exec(String(text).trim());
    return match !== null && !engineSchemes.includes(match[1].toLowerCase());
}
