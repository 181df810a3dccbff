// Plays /games/<file> at its stage size in the page's top left corner:
// player.html?file=<name>&w=<width>&h=<height>
(function () {
  const query = new URLSearchParams(location.search);
  window.RufflePlayer.config = {
    autoplay: "on", unmuteOverlay: "hidden", splashScreen: false, letterbox: "off",
    allowFullscreen: true, publicPath: "/ruffle/"
  };
  const player = window.RufflePlayer.newest().createPlayer();
  player.style.width = query.get("w") + "px";
  player.style.height = query.get("h") + "px";
  player.style.display = "block";
  document.getElementById("stage").appendChild(player);
  player.load({url: "/games/" + query.get("file")});
})();
